# The shell's tests: the real application started offscreen on the sample catalogue.
if(TARGET app AND TARGET units_standard)
  find_package(Qt6 REQUIRED COMPONENTS Test)
  panecraft_test(shell_tests
    SOURCES
      ${CMAKE_CURRENT_LIST_DIR}/ShellTestApp.cpp
      ${CMAKE_CURRENT_LIST_DIR}/ShellCloseTest.cpp
      ${CMAKE_CURRENT_LIST_DIR}/ShellDialogsTest.cpp
      ${CMAKE_CURRENT_LIST_DIR}/ShellFrameTest.cpp
      ${CMAKE_CURRENT_LIST_DIR}/ShellMenuTest.cpp
      ${CMAKE_CURRENT_LIST_DIR}/ShellMruTest.cpp
      ${CMAKE_CURRENT_LIST_DIR}/ShellSettingsTest.cpp
      ${CMAKE_CURRENT_LIST_DIR}/ShellStartTest.cpp
    DEPS app document units_standard Qt6::Test)
  add_dependencies(shell_tests txdb)

  panecraft_test(shell_newunit_tests
    SOURCES
      ${CMAKE_CURRENT_LIST_DIR}/ShellNewunitTest.cpp
      ${CMAKE_SOURCE_DIR}/tests/model/OddCatalogue.cpp
    DEPS app productdata_catalogue)
endif()

# The screenshot: the real main window under Xvfb, its picture kept in the build folder as
# app/panecraft-main-window.png.
find_program(XVFB_RUN xvfb-run)
if(TARGET app AND TARGET units_standard AND XVFB_RUN)
  add_executable(shell_screenshot ${CMAKE_CURRENT_LIST_DIR}/ShellTestApp.cpp ${CMAKE_CURRENT_LIST_DIR}/ShellShot.cpp)
  target_link_libraries(shell_screenshot PRIVATE app document units_standard Qt6::Test GTest::gtest GTest::gtest_main)
  target_include_directories(shell_screenshot PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
  add_dependencies(shell_screenshot txdb)
  add_test(NAME ShellScreenshot
    COMMAND ${XVFB_RUN} -a -s "-screen 0 1280x1024x24" $<TARGET_FILE:shell_screenshot>)
  set_tests_properties(ShellScreenshot PROPERTIES
    TIMEOUT 120
    ENVIRONMENT "QT_QPA_PLATFORM=xcb;PANECRAFT_SOURCE_DIR=${CMAKE_SOURCE_DIR};PANECRAFT_BINARY_DIR=${CMAKE_BINARY_DIR};${PANECRAFT_SANITIZER_ENV}")
endif()
