if(TARGET workbench_snap)
  panecraft_bench(snap_engine_bench SOURCES snap_engine_bench.cpp DEPS workbench_snap)
endif()
