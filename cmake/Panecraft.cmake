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

# panecraft_runtime_folder(name var): a runtime folder for the tests of `name` in the build tree,
# for their XDG_RUNTIME_DIR. Qt makes one in the temporary folder when the session names none,
# and a test run is to leave nothing there.
function(panecraft_runtime_folder name var)
  set(runtime ${CMAKE_CURRENT_BINARY_DIR}/${name}.runtime)
  file(MAKE_DIRECTORY ${runtime})
  file(CHMOD ${runtime} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
  set(${var} ${runtime} PARENT_SCOPE)
endfunction()

# panecraft_test(name SOURCES ... DEPS ...): one GoogleTest executable registered per test case.
# Each test runs in its own process, so process-wide registries start fresh.
function(panecraft_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;ENV" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  # Google Test's main with a printer that names the program's exceptions (tests/support).
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} panecraft_test_main)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
  # Every source sees the printers of the values the tests compare; above the Qt line the Qt
  # types' printers are linked too.
  target_compile_options(${name} PRIVATE -include ${CMAKE_SOURCE_DIR}/tests/support/Printers.h)
  file(RELATIVE_PATH folder ${CMAKE_SOURCE_DIR}/tests ${CMAKE_CURRENT_SOURCE_DIR})
  foreach(layer IN LISTS PANECRAFT_LAYERS_ABOVE_QT)
    if(folder STREQUAL layer OR folder MATCHES "^${layer}/")
      target_link_libraries(${name} PRIVATE panecraft_test_qt_printers)
    endif()
  endforeach()
  # A profile written by a test never reaches the real home, nor does a file suggested in the
  # documents folder; tests that look at them name their own.
  set(config ${CMAKE_CURRENT_BINARY_DIR}/${name}.config)
  file(WRITE ${config}/user-dirs.dirs "XDG_DOCUMENTS_DIR=\"${CMAKE_CURRENT_BINARY_DIR}/${name}.documents\"\n")
  panecraft_runtime_folder(${name} runtime)
  set(env "QT_QPA_PLATFORM=offscreen;PANECRAFT_SOURCE_DIR=${CMAKE_SOURCE_DIR};PANECRAFT_BINARY_DIR=${CMAKE_BINARY_DIR};XDG_CONFIG_HOME=${config};XDG_RUNTIME_DIR=${runtime}")
  if(ARG_ENV)
    list(APPEND env ${ARG_ENV})
  endif()
  if(PANECRAFT_SANITIZE)
    list(APPEND env ${PANECRAFT_SANITIZER_ENV})
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT 300)
  # gtest_discover_tests splits a list-valued property into separate words, so that only the
  # first variable would reach the tests; the environment is set instead by a script that CTest
  # runs after the discovered tests exist.
  set(env_script ${CMAKE_CURRENT_BINARY_DIR}/${name}_environment.cmake)
  file(WRITE ${env_script}
    "if(DEFINED ${name}_TESTS)\n"
    "  set_tests_properties(\${${name}_TESTS} PROPERTIES ENVIRONMENT \"${env}\")\n"
    "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${env_script})
endfunction()

# panecraft_bench(name SOURCES ... DEPS ...): a Google Benchmark executable, built but not run by CTest.
# Its main (bench/BenchMain.cpp) prints the ratios the bench names after the runs.
function(panecraft_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES} ${CMAKE_SOURCE_DIR}/bench/BenchMain.cpp)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} benchmark::benchmark)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
endfunction()

# The layer check (cmake/LayerCheck.cmake) over the tree, and its own test, which plants faults
# in a scratch tree. Both read the layer order of the top-level CMakeLists.txt.
function(panecraft_layer_check)
  list(JOIN PANECRAFT_LAYERS_BELOW_QT "," below)
  list(JOIN PANECRAFT_LAYERS_ABOVE_QT "," above)
  list(JOIN PANECRAFT_LAYER_EXCEPTIONS "," exceptions)
  set(check ${CMAKE_SOURCE_DIR}/cmake/LayerCheck.cmake)
  add_test(NAME layer_check
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR}
      -DLAYERS_BELOW_QT=${below} -DLAYERS_ABOVE_QT=${above} "-DEXCEPTIONS=${exceptions}"
      -P ${check})
  add_test(NAME layer_check_plants
    COMMAND ${CMAKE_COMMAND} -DCHECK=${check} -DWORK_DIR=${CMAKE_BINARY_DIR}/layer_check_plants
      -DLAYERS_BELOW_QT=${below} -DLAYERS_ABOVE_QT=${above}
      -P ${CMAKE_SOURCE_DIR}/tests/cmake/LayerCheckTest.cmake)
endfunction()

# The format check (cmake/FormatCheck.cmake): the sources of every layer, their tests, the
# benchmarks and the fuzz targets are as clang-format writes them with the project's style. The
# tree is formatted with clang-format 14: other major versions write some constructs otherwise,
# so under another one the check says so and is skipped rather than failing on untouched files.
# Its own test plants a misformatted file and a clang-format of another version in a scratch tree.
function(panecraft_format_check)
  set(major 14)
  find_program(CLANG_FORMAT_PROGRAM clang-format)
  if(NOT CLANG_FORMAT_PROGRAM)
    message(WARNING "clang-format not found: the format check is not registered")
    return()
  endif()
  set(folders ${PANECRAFT_LAYERS} tests bench fuzz)
  list(JOIN folders "," folders)
  set(check ${CMAKE_SOURCE_DIR}/cmake/FormatCheck.cmake)
  add_test(NAME format_check
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR} -DCLANG_FORMAT=${CLANG_FORMAT_PROGRAM}
      -DMAJOR=${major} -DFOLDERS=${folders} -P ${check})
  add_test(NAME format_check_plants
    COMMAND ${CMAKE_COMMAND} -DCHECK=${check} -DCLANG_FORMAT=${CLANG_FORMAT_PROGRAM} -DMAJOR=${major}
      -DSTYLE=${CMAKE_SOURCE_DIR}/.clang-format -DWORK_DIR=${CMAKE_BINARY_DIR}/format_check_plants
      -P ${CMAKE_SOURCE_DIR}/tests/cmake/FormatCheckTest.cmake)
  set_tests_properties(format_check PROPERTIES SKIP_REGULAR_EXPRESSION "format check skipped:")
endfunction()
