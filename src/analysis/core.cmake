target_sources(grizal2_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Laws.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Fits.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Chart.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Report.cpp
)
