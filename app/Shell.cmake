# The main frame, its MDI client, the adorned child frames, the settings sheets, the small
# dialogs and start-up, added to the app library; and the program itself.
if(TARGET app)
  target_sources(app PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Adorned.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Appcmds.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Appdlgs.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Appinit.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Apppages.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Appsheet.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Defoptdlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Drawvals.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Mainfrm.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Mainview.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Mfclient.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Newunit.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Prjsheet.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Prjviews.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Shellbmp.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Shelldlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Shellmnu.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Shellres.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Shellstr.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Shellsvc.cpp)
  target_link_libraries(app PUBLIC workbench views document model productdb)

  # Where the catalogue that the build generates lies: the program's database directory when the
  # profile names none and the current directory holds no TXDB.SDF.
  target_compile_definitions(app PRIVATE PANECRAFT_BUILT_CATALOGUE_DIR="${CMAKE_BINARY_DIR}/productdata")

  add_executable(panecraft ${CMAKE_CURRENT_LIST_DIR}/Main.cpp)
  target_link_libraries(panecraft PRIVATE app document units_standard)
  set_target_properties(panecraft PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/app)
  if(TARGET txdb)
    add_dependencies(panecraft txdb)
  endif()

  # The program, its desktop entry and the project file type (files starting "TPF-1.x", *.tpf).
  include(GNUInstallDirs)
  install(TARGETS panecraft RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/panecraft.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/panecraft-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
          RENAME panecraft.xml)
endif()
