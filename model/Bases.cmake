# The base unit classes: standard, rectangular, arched, custom arched and free-form units.
target_sources(model PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Conform.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Custarch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Stdarch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Stdgrill.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Stdrect.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Stdunit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Varigon.cpp)
