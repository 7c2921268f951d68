# The design list's tests, driving the real application offscreen (fixture in tests/app).
if(TARGET app AND TARGET units_standard AND TARGET units_freeform)
  find_package(Qt6 REQUIRED COMPONENTS Test)
  panecraft_test(warehouse_tests
    SOURCES
      ${CMAKE_SOURCE_DIR}/tests/app/ShellTestApp.cpp
      ${CMAKE_CURRENT_LIST_DIR}/WarehouseTest.cpp
    DEPS app document units_standard units_freeform Qt6::Test)
  add_dependencies(warehouse_tests txdb)
endif()
