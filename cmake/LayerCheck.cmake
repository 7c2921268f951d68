# The layer check: every source and header of a layer folder includes only its own layer and the
# layers below it, and nothing below the Qt line includes a Qt header. The tests of a layer
# (tests/<layer>) follow the rule of their layer; a test helper (a header found under tests/)
# belongs to the layer of its folder.
#
#   cmake -DSOURCE_DIR=<root> -DLAYERS_BELOW_QT=a,b,.. -DLAYERS_ABOVE_QT=c,d,..
#         [-DEXCEPTIONS=<file> <header>,..] -P LayerCheck.cmake
#
# The layers are given bottom up, comma-separated. An exception lets one file include one header
# that the rule forbids; an exception that no longer matches fails too, so the list stays honest.

cmake_minimum_required(VERSION 3.25)

string(REPLACE "," ";" below "${LAYERS_BELOW_QT}")
string(REPLACE "," ";" above "${LAYERS_ABOVE_QT}")
string(REPLACE "," ";" exceptions "${EXCEPTIONS}")
set(layers ${below} ${above})
list(LENGTH below qt_line)
if(NOT IS_DIRECTORY "${SOURCE_DIR}" OR qt_line EQUAL 0)
  message(FATAL_ERROR "layer check: SOURCE_DIR and LAYERS_BELOW_QT are required")
endif()

# The rank of the layer a root-relative path lies in (a test folder counts as its layer), or -1.
function(layer_rank path out)
  string(REGEX REPLACE "^tests/" "" path "${path}")
  set(rank 0)
  foreach(layer IN LISTS layers)
    string(FIND "${path}" "${layer}/" at)
    if(at EQUAL 0)
      set(${out} ${rank} PARENT_SCOPE)
      return()
    endif()
    math(EXPR rank "${rank} + 1")
  endforeach()
  set(${out} -1 PARENT_SCOPE)
endfunction()

# Where a quoted include lands, as the compiler searches: beside the including file, then from
# the root, then (for tests) from tests/. A header found nowhere is placed by its name.
function(resolve_include file name out)
  get_filename_component(dir "${file}" DIRECTORY)
  if(EXISTS "${SOURCE_DIR}/${dir}/${name}")
    cmake_path(SET target NORMALIZE "${dir}/${name}")
  elseif(EXISTS "${SOURCE_DIR}/${name}")
    set(target "${name}")
  elseif(file MATCHES "^tests/" AND EXISTS "${SOURCE_DIR}/tests/${name}")
    set(target "tests/${name}")
  else()
    set(target "${name}")
  endif()
  set(${out} "${target}" PARENT_SCOPE)
endfunction()

set(faults "")
set(used_exceptions "")
set(rank 0)
foreach(layer IN LISTS layers)
  foreach(root IN ITEMS "${layer}" "tests/${layer}")
    if(NOT IS_DIRECTORY "${SOURCE_DIR}/${root}")
      continue()
    endif()
    file(GLOB_RECURSE files RELATIVE "${SOURCE_DIR}"
      "${SOURCE_DIR}/${root}/*.h" "${SOURCE_DIR}/${root}/*.hpp"
      "${SOURCE_DIR}/${root}/*.cpp" "${SOURCE_DIR}/${root}/*.cc" "${SOURCE_DIR}/${root}/*.inl")
    foreach(file IN LISTS files)
      file(STRINGS "${SOURCE_DIR}/${file}" lines REGEX "^[ \t]*#[ \t]*include")
      foreach(line IN LISTS lines)
        if(NOT line MATCHES "^[ \t]*#[ \t]*include[ \t]*([<\"])([^>\"]+)[>\"]")
          continue()
        endif()
        set(name "${CMAKE_MATCH_2}")
        set(fault "")
        if(CMAKE_MATCH_1 STREQUAL "<")
          if(rank LESS qt_line AND name MATCHES "^Q[A-Za-z]")
            set(fault "${file}: Qt header <${name}> below the Qt line (${layer})")
          endif()
        else()
          resolve_include("${file}" "${name}" target)
          layer_rank("${target}" target_rank)
          if(target_rank GREATER rank)
            list(GET layers ${target_rank} target_layer)
            set(fault "${file}: \"${name}\" points up (${layer} -> ${target_layer})")
          endif()
        endif()
        if(fault)
          if("${file} ${name}" IN_LIST exceptions)
            list(APPEND used_exceptions "${file} ${name}")
          else()
            list(APPEND faults "${fault}")
          endif()
        endif()
      endforeach()
    endforeach()
  endforeach()
  math(EXPR rank "${rank} + 1")
endforeach()

foreach(exception IN LISTS exceptions)
  if(NOT exception IN_LIST used_exceptions)
    list(APPEND faults "exception \"${exception}\" no longer matches an include: remove it")
  endif()
endforeach()

if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "layer check failed:\n  ${text}")
endif()
list(JOIN layers " < " order)
message(STATUS "layer check passed: ${order}")
