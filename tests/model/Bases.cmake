# Tests of the base unit classes (standard, rectangular, arched, custom arched, free-form).
panecraft_test(model_bases_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/BaseLeaves.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ConformTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CustarchTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GrilleTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ModelTestUtil.cpp
    ${CMAKE_CURRENT_LIST_DIR}/OddCatalogue.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StdarchTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StdrectTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StdunitTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/VarigonTest.cpp
  DEPS model productdata_catalogue)
add_dependencies(model_bases_tests txdb)
