# Particles found by a grey threshold, split where they touch and measured one by one, on
# OpenCV's labelling, distance transform, smoothing and convex hulls.
target_sources(grizal2_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Particles.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ParticleMeasures.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ParticleSeparation.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ParticleReport.cpp
)
# The pixel loops are written to be vectorised, which the compiler only does at -O3.
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/Particles.cpp ${CMAKE_CURRENT_LIST_DIR}/ParticleSeparation.cpp
    TARGET_DIRECTORY grizal2_core PROPERTIES COMPILE_OPTIONS "-O3")
