grizal2_test(test_mainwindow
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_mainwindow.cpp ${CMAKE_CURRENT_LIST_DIR}/test_statform.cpp ${CMAKE_CURRENT_LIST_DIR}/test_calibration.cpp ${CMAKE_CURRENT_LIST_DIR}/test_imageform.cpp
            ${CMAKE_CURRENT_LIST_DIR}/ui_test_main.cpp
    LIBS grizal2_ui Qt6::Test)
