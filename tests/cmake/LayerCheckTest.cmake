# Guards that the layer check fails on each kind of planted fault (an upward include, a Qt header
# below the line, an upward test helper, a stale exception) and passes a tree that keeps the order.
#
#   cmake -DCHECK=<LayerCheck.cmake> -DWORK_DIR=<scratch> -DLAYERS_BELOW_QT=.. -DLAYERS_ABOVE_QT=..
#         -P LayerCheckTest.cmake

cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/JudgeCheck.cmake)

set(failures "")

# A small tree that keeps the order: includes downwards, beside the file, a lower layer's test
# helper, and Qt above the line.
function(plant_clean_tree tree)
  file(REMOVE_RECURSE "${tree}")
  file(WRITE "${tree}/support/Trace.h" "#pragma once\n")
  file(WRITE "${tree}/model/Unit.h" "#pragma once\n#include \"support/Trace.h\"\n#include <vector>\n")
  file(WRITE "${tree}/model/Unit.cpp" "#include \"Unit.h\"\n  #  include \"model/Unit.h\"\n")
  file(WRITE "${tree}/ui/draw/Dc.h" "#pragma once\n#include <QPainter>\n#include \"../wnd/Wnd.h\"\n")
  file(WRITE "${tree}/ui/wnd/Wnd.h" "#pragma once\n#include <QtWidgets/QWidget>\n")
  file(WRITE "${tree}/app/App.h" "#pragma once\n#include \"ui/draw/Dc.h\"\n#include \"model/Unit.h\"\n")
  file(WRITE "${tree}/tests/model/ModelTestUtil.h" "#pragma once\n#include \"model/Unit.h\"\n")
  file(WRITE "${tree}/tests/model/UnitTest.cpp" "#include <gtest/gtest.h>\n#include \"ModelTestUtil.h\"\n")
  file(WRITE "${tree}/tests/app/AppTestEnv.h" "#pragma once\n#include \"app/App.h\"\n")
  file(WRITE "${tree}/tests/app/AppTest.cpp"
    "#include \"AppTestEnv.h\"\n#include \"model/ModelTestUtil.h\"\n#include <QTest>\n")
endfunction()

# Runs the check over a tree; `expect` is PASS or the text the failure must name.
function(expect_check case tree expect)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${tree} -DLAYERS_BELOW_QT=${LAYERS_BELOW_QT}
      -DLAYERS_ABOVE_QT=${LAYERS_ABOVE_QT} "-DEXCEPTIONS=${ARGN}" -P ${CHECK}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  judge_check(wrong "${case}" "${expect}" "${rc}" "${err}")
  if(wrong)
    list(APPEND failures "${wrong}")
  endif()
  set(failures "${failures}" PARENT_SCOPE)
endfunction()

set(tree "${WORK_DIR}/tree")

plant_clean_tree("${tree}")
expect_check("sound tree" "${tree}" PASS)

file(WRITE "${tree}/model/Plant.h" "#pragma once\n#include \"app/App.h\"\n")
expect_check("model includes app" "${tree}" "model/Plant.h: \"app/App.h\" points up (model -> app)")

plant_clean_tree("${tree}")
file(WRITE "${tree}/ui/draw/Plant.cpp" "#include \"app/App.h\"\n")
expect_check("ui sub-folder includes app" "${tree}" "ui/draw/Plant.cpp")

plant_clean_tree("${tree}")
file(WRITE "${tree}/support/Plant.cpp" "#include <QString>\n")
expect_check("Qt below the line" "${tree}" "support/Plant.cpp: Qt header <QString>")

plant_clean_tree("${tree}")
file(WRITE "${tree}/tests/model/PlantTest.cpp" "#include \"app/AppTestEnv.h\"\n")
expect_check("test uses a higher test's helper" "${tree}" "tests/model/PlantTest.cpp: \"app/AppTestEnv.h\"")

plant_clean_tree("${tree}")
file(WRITE "${tree}/tests/model/PlantTest.cpp" "#include <QCoreApplication>\n")
expect_check("Qt in a test below the line" "${tree}" "tests/model/PlantTest.cpp: Qt header")
expect_check("excepted Qt include" "${tree}" PASS "tests/model/PlantTest.cpp QCoreApplication")
file(REMOVE "${tree}/tests/model/PlantTest.cpp")
expect_check("stale exception" "${tree}" "no longer matches" "tests/model/PlantTest.cpp QCoreApplication")

file(REMOVE_RECURSE "${WORK_DIR}")
if(failures)
  list(JOIN failures "\n" text)
  message(FATAL_ERROR "${text}")
endif()
