if(TARGET app AND TARGET panecraft)
  find_package(Qt6 REQUIRED COMPONENTS Widgets)
  # The program itself (the same main) with the probe that opens a design once it is shown.
  add_executable(design_open_probe ${CMAKE_SOURCE_DIR}/app/Main.cpp ${CMAKE_CURRENT_SOURCE_DIR}/DesignOpenProbe.cpp)
  target_link_libraries(design_open_probe PRIVATE app document units_standard units_freeform Qt6::Widgets)
  target_include_directories(design_open_probe PRIVATE ${CMAKE_SOURCE_DIR})
  panecraft_bench(design_open_bench SOURCES design_open_bench.cpp DEPS document workbench units_standard units_freeform)
  target_compile_definitions(design_open_bench PRIVATE PANECRAFT_TXDB_DIR="${CMAKE_BINARY_DIR}/productdata"
    PANECRAFT_OPEN_PROGRAM="$<TARGET_FILE:design_open_probe>")
  add_dependencies(design_open_bench design_open_probe txdb)
endif()
