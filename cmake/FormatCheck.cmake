# The format check: every C++ source and header of the project's folders is as clang-format,
# with the project's .clang-format, would write it. Formatting differences are named by file.
# The tree is formatted with clang-format of major version MAJOR; another major version writes
# some constructs otherwise, so under it the check says so ("format check skipped: ...", which
# the test takes as a skip) and checks nothing.
#
#   cmake -DSOURCE_DIR=<root> -DCLANG_FORMAT=<program> -DMAJOR=<n> -DFOLDERS=a,b,.. -P FormatCheck.cmake

cmake_minimum_required(VERSION 3.25)

if(NOT IS_DIRECTORY "${SOURCE_DIR}" OR NOT CLANG_FORMAT OR NOT MAJOR OR NOT FOLDERS)
  message(FATAL_ERROR "format check: SOURCE_DIR, CLANG_FORMAT, MAJOR and FOLDERS are required")
endif()

execute_process(COMMAND "${CLANG_FORMAT}" --version OUTPUT_VARIABLE version ERROR_VARIABLE version)
if(NOT version MATCHES "clang-format version ([0-9]+)\\.")
  message(FATAL_ERROR "format check: ${CLANG_FORMAT} does not tell its version:\n${version}")
endif()
if(NOT CMAKE_MATCH_1 EQUAL MAJOR)
  message(STATUS "format check skipped: the tree is formatted with clang-format ${MAJOR}, and ${CLANG_FORMAT} "
                 "is clang-format ${CMAKE_MATCH_1}, which writes some constructs otherwise")
  return()
endif()
string(REPLACE "," ";" folders "${FOLDERS}")

set(files "")
foreach(folder IN LISTS folders)
  file(GLOB_RECURSE found "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
  list(APPEND files ${found})
endforeach()
list(SORT files)
list(LENGTH files count)
if(count EQUAL 0)
  message(FATAL_ERROR "format check: no source files under ${FOLDERS}")
endif()

# In groups of a hundred, so that no command line grows past the system's limit.
set(unformatted "")
set(failed FALSE)
function(check_group)
  execute_process(COMMAND "${CLANG_FORMAT}" --dry-run ${group} ERROR_VARIABLE report RESULT_VARIABLE result)
  set(unformatted "${unformatted}${report}" PARENT_SCOPE)
  if(NOT result EQUAL 0)
    set(failed TRUE PARENT_SCOPE)
  endif()
endfunction()
set(group "")
foreach(file IN LISTS files)
  list(APPEND group "${file}")
  list(LENGTH group size)
  if(size EQUAL 100)
    check_group()
    set(group "")
  endif()
endforeach()
if(group)
  check_group()
endif()

string(REGEX MATCHALL "[^\n]*: warning: code should be clang-formatted" lines "${unformatted}")
if(lines OR failed)
  set(names "")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE ":[0-9]+:[0-9]+: warning: code should be clang-formatted" "" name "${line}")
    file(RELATIVE_PATH name "${SOURCE_DIR}" "${name}")
    list(APPEND names "${name}")
  endforeach()
  list(REMOVE_DUPLICATES names)
  list(LENGTH lines warnings)
  list(JOIN names "\n  " text)
  message(FATAL_ERROR "format check failed: ${warnings} places in these files are not as clang-format "
                      "writes them (run clang-format -i on them):\n  ${text}\n${unformatted}")
endif()
message(STATUS "format check passed: ${count} files as clang-format ${MAJOR} writes them")
