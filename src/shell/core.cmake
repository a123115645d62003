target_sources(grizal2_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Settings.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Calibration.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NewPicture.cpp
)
