target_sources(grizal2_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/TSelectSource.cpp
)
