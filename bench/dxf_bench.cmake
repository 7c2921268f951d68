panecraft_bench(dxf_bench SOURCES dxf_bench.cpp DEPS views)
target_compile_definitions(dxf_bench PRIVATE PANECRAFT_EZDXF_SCRIPT="${CMAKE_CURRENT_SOURCE_DIR}/dxf_ezdxf.py")
