target_sources(grizal2_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Metafile.cpp
)
