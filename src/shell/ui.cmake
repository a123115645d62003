target_sources(grizal2_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Application.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SmallDialogs.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TForm1.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TForm1Menus.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TForm1Children.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TForm1Files.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TForm1Commands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TForm1Analysis.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TParamDlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TKalibrDlg.cpp
)
