target_sources(grizal2_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Metafile.cpp
    ${CMAKE_CURRENT_LIST_DIR}/metafile/Budget.cpp
    ${CMAKE_CURRENT_LIST_DIR}/metafile/Dib.cpp
    ${CMAKE_CURRENT_LIST_DIR}/metafile/DrawingState.cpp
    ${CMAKE_CURRENT_LIST_DIR}/metafile/Emf.cpp
    ${CMAKE_CURRENT_LIST_DIR}/metafile/Regions.cpp
    ${CMAKE_CURRENT_LIST_DIR}/metafile/Wmf.cpp
)
