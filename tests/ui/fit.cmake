grizal2_test(test_fitwindow
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_fitwindow.cpp ${CMAKE_CURRENT_LIST_DIR}/ui_test_main.cpp
    LIBS grizal2_ui Qt6::Test)
add_dependencies(test_fitwindow grizal2-cli)
