grizal2_test(test_mainwindow
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_mainwindow.cpp ${CMAKE_CURRENT_LIST_DIR}/test_statform.cpp ${CMAKE_CURRENT_LIST_DIR}/test_calibration.cpp ${CMAKE_CURRENT_LIST_DIR}/test_imageform.cpp
            ${CMAKE_CURRENT_LIST_DIR}/ui_test_main.cpp
    LIBS grizal2_ui Qt6::Test)
grizal2_test(test_language SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_language.cpp ${CMAKE_CURRENT_LIST_DIR}/ui_test_main.cpp
    LIBS grizal2_ui Qt6::Test)
target_compile_definitions(test_language PRIVATE GRIZAL2_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
set_property(TEST test_language APPEND PROPERTY ENVIRONMENT "LANGUAGE=en_US:en;LANG=en_US.UTF-8")
