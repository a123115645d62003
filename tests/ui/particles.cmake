grizal2_test(test_particles_windows
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_particles.cpp ${CMAKE_CURRENT_LIST_DIR}/ui_test_main.cpp
    LIBS grizal2_ui Qt6::Test)
