target_sources(grizal2_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/SampleTableModel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SampleGrid.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TStatForm.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StatFormCommands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StatFormFit.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TGroupDlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TFormStatDlg.cpp
)
