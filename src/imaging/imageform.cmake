# The image window, one part per file.
target_sources(grizal2_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/TImageForm.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ImageFormBars.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ImageFormModes.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ImageFormMouse.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ImageFormCommands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ImageFormTools.cpp
)
