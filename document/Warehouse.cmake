# The design list of a project (warehouse frame and view), added to the document library once
# the doc/view layer is there.
if(TARGET document AND TARGET platform_ui)
  target_sources(document PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Whclip.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Whframe.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Whpaste.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Whres.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Whsvc.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Whview.cpp)
endif()
