target_sources(grizal2_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/TDlgCaseCalcDistrib.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TFitDlg.cpp
)
