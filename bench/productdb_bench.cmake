panecraft_bench(productdb_bench SOURCES productdb_bench.cpp DEPS productdb productdata)
