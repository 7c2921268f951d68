panecraft_bench(raster_bench SOURCES raster_bench.cpp DEPS platform_ui)
