target_sources(grizal2_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/UserFunctions.cpp
)
# The library's interface header lives with the example library.
target_include_directories(grizal2_core PRIVATE ${CMAKE_SOURCE_DIR}/plugins)
target_link_libraries(grizal2_core PUBLIC ${CMAKE_DL_LIBS})
