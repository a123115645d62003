grizal2_test(test_selectsource
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_selectsource.cpp ${CMAKE_CURRENT_LIST_DIR}/ui_test_main.cpp
    LIBS grizal2_ui)
