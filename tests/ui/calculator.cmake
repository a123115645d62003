grizal2_test(test_calcwindow
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_calcwindow.cpp ${CMAKE_CURRENT_LIST_DIR}/ui_test_main.cpp
    LIBS grizal2_ui)
