panecraft_bench(sdfcheck_bench SOURCES sdfcheck_bench.cpp DEPS productdb)
# Measured on the sample catalogue the build generates.
target_compile_definitions(sdfcheck_bench PRIVATE PANECRAFT_SAMPLE_TXDB="${CMAKE_BINARY_DIR}/productdata/TXDB.SDF")
add_dependencies(sdfcheck_bench txdb)
