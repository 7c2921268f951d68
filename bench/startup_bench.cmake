if(TARGET app AND TARGET panecraft)
  find_package(Qt6 REQUIRED COMPONENTS Widgets)
  # The program itself (the same main) with the probe that reports what its main frame shows, and
  # the Qt windows it is compared with: a bare one and one made to show the same.
  add_executable(startup_probe ${CMAKE_SOURCE_DIR}/app/Main.cpp ${CMAKE_CURRENT_SOURCE_DIR}/StartupProbe.cpp)
  target_link_libraries(startup_probe PRIVATE app document units_standard units_freeform Qt6::Widgets)
  target_include_directories(startup_probe PRIVATE ${CMAKE_SOURCE_DIR})
  add_executable(bare_window BareWindow.cpp StartupProbe.cpp)
  target_link_libraries(bare_window PRIVATE Qt6::Widgets)
  panecraft_bench(startup_bench SOURCES startup_bench.cpp DEPS)
  target_compile_definitions(startup_bench PRIVATE PANECRAFT_TXDB_DIR="${CMAKE_BINARY_DIR}/productdata"
    PANECRAFT_PROBE_PROGRAM="$<TARGET_FILE:startup_probe>" PANECRAFT_BARE_WINDOW="$<TARGET_FILE:bare_window>")
  add_dependencies(startup_bench startup_probe bare_window txdb)
endif()
