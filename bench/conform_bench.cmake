panecraft_bench(conform_bench SOURCES conform_bench.cpp DEPS units_standard)
target_compile_definitions(conform_bench PRIVATE PANECRAFT_TXDB_DIR="${CMAKE_BINARY_DIR}/productdata/")
add_dependencies(conform_bench txdb)
