target_sources(grizal2_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/SampleData.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SampleTable.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DataFiles.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TableOps.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Grouping.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Generation.cpp
)
