# The particles windows: the options dialog, the table of particles, the batch dialog.
target_sources(grizal2_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/TParticlesDlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TParticlesForm.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TBatchDlg.cpp
)
# fit.txt names the program that made it.
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/TBatchDlg.cpp TARGET_DIRECTORY grizal2_ui
    PROPERTIES COMPILE_DEFINITIONS "GRIZAL2_VERSION=\"${PROJECT_VERSION}\"")
