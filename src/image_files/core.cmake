target_sources(grizal2_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/PcxCodec.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GifWriter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MultImage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PictureMemory.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TiffReader.cpp
)
target_link_libraries(grizal2_core PUBLIC GIF::GIF TIFF::TIFF)
# The conversion to the working form is written to be vectorised, which needs -O3.
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/MultImage.cpp TARGET_DIRECTORY grizal2_core PROPERTIES COMPILE_OPTIONS "-O3")
