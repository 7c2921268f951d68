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
  # Every source sees the printers of the values the tests compare (given it by
  # panecraft_precompile); above the Qt line the Qt types' printers are linked too.
  set_target_properties(${name} PROPERTIES PANECRAFT_FIRST_HEADER ${CMAKE_SOURCE_DIR}/tests/support/Printers.h)
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
# The main is compiled once (bench/CMakeLists.txt), as objects each bench links whole.
function(panecraft_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} panecraft_bench_main)
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

# Precompiled headers. Most of what the compiler reads for one of our files is the standard
# library, Google Test and Qt, the same for every file of a target: each target of several files
# reads them once into a precompiled header, shared by the targets compiled alike. Which set a target gets follows what it links, so a
# file never sees a header its layer may not use (nothing below the Qt line gets Qt).
option(PANECRAFT_PCH "Precompile the standard, Google Test and Qt headers for each target of several files" ON)
set(PANECRAFT_PCH_MIN_SOURCES 4)
set(PANECRAFT_PCH_STD
  <algorithm> <cmath> <cstdint> <cstdlib> <cstring> <filesystem> <fstream> <functional> <map>
  <memory> <set> <sstream> <stdexcept> <string> <utility> <vector>)
set(PANECRAFT_PCH_GTEST <gtest/gtest.h>)
set(PANECRAFT_PCH_QT
  <QAction> <QApplication> <QEvent> <QImage> <QKeyEvent> <QLineEdit> <QMainWindow> <QMdiArea>
  <QMdiSubWindow> <QMenu> <QMouseEvent> <QPainter> <QPixmap> <QString> <QTimer> <QWidget>)
set(PANECRAFT_PCH_QTEST <QTest>)

# _panecraft_link_closure(target var): every library `target` links, directly or through others.
function(_panecraft_link_closure target var)
  set(seen)
  set(queue ${target})
  while(queue)
    list(POP_FRONT queue item)
    if(item IN_LIST seen)
      continue()
    endif()
    # Imported targets such as Qt's are known only in the folders that found them: their names
    # count, their own links are not needed.
    list(APPEND seen ${item})
    if(NOT TARGET ${item})
      continue()
    endif()
    get_target_property(type ${item} TYPE)
    if(item STREQUAL target AND NOT type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(deps ${item} LINK_LIBRARIES)
    else()
      get_target_property(deps ${item} INTERFACE_LINK_LIBRARIES)
    endif()
    foreach(dep IN LISTS deps)
      # Link-only generator expressions name libraries by $<LINK_ONLY:...>.
      string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" dep "${dep}")
      if(dep AND NOT dep MATCHES "^\\$<")
        list(APPEND queue ${dep})
      endif()
    endforeach()
  endwhile()
  set(${var} ${seen} PARENT_SCOPE)
endfunction()

# panecraft_precompile(target): the precompiled headers for one target, if it has files enough
# to repay making them.
# A header every source of the target reads first (PANECRAFT_FIRST_HEADER) goes into the
# precompiled header: given on its own ahead of it, it would keep the compiler from using it.
function(panecraft_precompile target)
  get_target_property(type ${target} TYPE)
  if(NOT type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|EXECUTABLE)$")
    return()
  endif()
  get_target_property(first ${target} PANECRAFT_FIRST_HEADER)
  get_target_property(sources ${target} SOURCES)
  list(FILTER sources INCLUDE REGEX "\\.cpp$")
  list(LENGTH sources count)
  if(NOT PANECRAFT_PCH OR count LESS PANECRAFT_PCH_MIN_SOURCES)
    if(first)
      target_compile_options(${target} PRIVATE -include ${first})
    endif()
    return()
  endif()
  _panecraft_link_closure(${target} links)
  set(headers ${PANECRAFT_PCH_STD})
  if(first)
    list(APPEND headers ${first})
  endif()
  if(GTest::gtest IN_LIST links OR GTest::GTest IN_LIST links)
    list(APPEND headers ${PANECRAFT_PCH_GTEST})
  endif()
  if(Qt6::Widgets IN_LIST links)
    list(APPEND headers ${PANECRAFT_PCH_QT})
  endif()
  if(Qt6::Test IN_LIST links)
    list(APPEND headers ${PANECRAFT_PCH_QTEST})
  endif()
  # Targets compiled alike share one precompiled header: the compiler refuses one made with other
  # macros or options. What sets them: the headers, the libraries found outside the tree (Qt's
  # modules and Google Test bring their macros; ours bring none), the target's own definitions
  # and options, and with Qt's test module the folder, which it names in a macro.
  set(imported ${links})
  list(FILTER imported INCLUDE REGEX "::")
  list(SORT imported)
  get_target_property(definitions ${target} COMPILE_DEFINITIONS)
  get_target_property(options ${target} COMPILE_OPTIONS)
  get_target_property(folder ${target} SOURCE_DIR)
  get_directory_property(folder_definitions DIRECTORY ${folder} COMPILE_DEFINITIONS)
  get_directory_property(folder_options DIRECTORY ${folder} COMPILE_OPTIONS)
  set(key "${type}|${headers}|${imported}|${definitions}|${options}|${folder_definitions}|${folder_options}")
  if(Qt6::Test IN_LIST links)
    string(APPEND key "|${folder}")
  endif()
  string(MD5 key "${key}")
  get_property(owner GLOBAL PROPERTY PANECRAFT_PCH_${key})
  if(owner)
    target_precompile_headers(${target} REUSE_FROM ${owner})
  else()
    set_property(GLOBAL PROPERTY PANECRAFT_PCH_${key} ${target})
    target_precompile_headers(${target} PRIVATE ${headers})
  endif()
endfunction()

# panecraft_precompile_all(dir): panecraft_precompile for every target of `dir` and the folders
# below it, once all of them and their links exist.
function(panecraft_precompile_all dir)
  get_directory_property(targets DIRECTORY ${dir} BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    panecraft_precompile(${target})
  endforeach()
  get_directory_property(subdirs DIRECTORY ${dir} SUBDIRECTORIES)
  foreach(subdir IN LISTS subdirs)
    panecraft_precompile_all(${subdir})
  endforeach()
endfunction()
