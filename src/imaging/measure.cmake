target_sources(grizal2_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Selection.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SelectionTools.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Measure.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Drawing.cpp
)
