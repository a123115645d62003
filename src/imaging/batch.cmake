# The operations as values, the recipe of a particle measurement, and many pictures measured
# with one recipe on several threads.
target_sources(grizal2_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Operations.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ParticleRecipe.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ParticleBatch.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ParticleBatchFiles.cpp
)
