# panecraft_library(name folder-relative sources... DEPS libs...)
function(panecraft_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  # Headers are included as "folder/File.h" from the repository root.
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  if(ARG_DEPS)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  endif()
endfunction()

# panecraft_test(name SOURCES ... DEPS ...): one GoogleTest executable registered per test case.
# Each test runs in its own process, so process-wide registries start fresh.
function(panecraft_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;ENV" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
  set(env "QT_QPA_PLATFORM=offscreen;PANECRAFT_SOURCE_DIR=${CMAKE_SOURCE_DIR};PANECRAFT_BINARY_DIR=${CMAKE_BINARY_DIR}")
  if(ARG_ENV)
    list(APPEND env ${ARG_ENV})
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "${env}" TIMEOUT 300)
endfunction()

# panecraft_bench(name SOURCES ... DEPS ...): a Google Benchmark executable, built but not run by CTest.
function(panecraft_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} benchmark::benchmark benchmark::benchmark_main)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
endfunction()
