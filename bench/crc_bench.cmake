find_package(ZLIB REQUIRED)
panecraft_bench(crc_bench SOURCES crc_bench.cpp DEPS support ZLIB::ZLIB)
