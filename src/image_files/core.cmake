target_sources(grizal2_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/PcxCodec.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GifWriter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MultImage.cpp
)
target_link_libraries(grizal2_core PUBLIC GIF::GIF)
