# Guards that the format check passes a formatted tree and fails a planted misformat, naming the
# file, under the clang-format major version the tree is formatted with, and that under another
# major version it says so and is skipped, misformat or not. The clang-format it runs is a
# wrapper that answers --version as told and hands everything else to the real program.
#
#   cmake -DCHECK=<FormatCheck.cmake> -DCLANG_FORMAT=<program> -DMAJOR=<n> -DSTYLE=<.clang-format>
#         -DWORK_DIR=<scratch> -P FormatCheckTest.cmake

cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/JudgeCheck.cmake)

set(failures "")
set(tree "${WORK_DIR}/tree")

function(plant_formatted_tree)
  file(REMOVE_RECURSE "${tree}")
  configure_file("${STYLE}" "${tree}/.clang-format" COPYONLY)
  file(WRITE "${tree}/model/Unit.h" "#pragma once\nint Width();\n")
  file(WRITE "${tree}/model/Unit.cpp" "#include \"model/Unit.h\"\n\nint Width() { return 1; }\n")
endfunction()

# A clang-format that reports the given major version.
function(make_wrapper major)
  file(WRITE "${WORK_DIR}/bin/clang-format"
    "#!/bin/sh\n"
    "if [ \"$1\" = --version ]; then echo \"clang-format version ${major}.0.1\"; exit 0; fi\n"
    "exec '${CLANG_FORMAT}' \"$@\"\n")
  file(CHMOD "${WORK_DIR}/bin/clang-format" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
endfunction()

# Runs the check over the tree; `expect` is PASS, SKIP or the text the failure must name.
function(expect_check case expect)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${tree} -DCLANG_FORMAT=${WORK_DIR}/bin/clang-format -DMAJOR=${MAJOR}
      -DFOLDERS=model -P ${CHECK}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  string(FIND "${out}${err}" "format check skipped: the tree is formatted with clang-format ${MAJOR}," skipped)
  if(expect STREQUAL "SKIP")
    if(NOT rc EQUAL 0 OR skipped EQUAL -1)
      list(APPEND failures "${case}: the check was not skipped:\n${out}${err}")
    endif()
  elseif(NOT skipped EQUAL -1)
    list(APPEND failures "${case}: the check was skipped under its own version:\n${out}")
  else()
    judge_check(wrong "${case}" "${expect}" "${rc}" "${err}")
    if(wrong)
      list(APPEND failures "${wrong}")
    endif()
  endif()
  set(failures "${failures}" PARENT_SCOPE)
endfunction()

make_wrapper(${MAJOR})
plant_formatted_tree()
expect_check("formatted tree" PASS)
file(WRITE "${tree}/model/Unit.cpp" "#include \"model/Unit.h\"\n\nint  Width( ) {return 1;}\n")
expect_check("planted misformat" "model/Unit.cpp")

math(EXPR other "${MAJOR} + 1")
make_wrapper(${other})
expect_check("misformat under another version" SKIP)
plant_formatted_tree()
expect_check("formatted tree under another version" SKIP)

file(REMOVE_RECURSE "${WORK_DIR}")
if(failures)
  list(JOIN failures "\n" text)
  message(FATAL_ERROR "${text}")
endif()
message(STATUS "format check plants: every case as expected")
