# GLOBAL: the target is linked from the top folder, where grizal2_core is declared.
find_package(PkgConfig REQUIRED)
pkg_check_modules(SANE REQUIRED IMPORTED_TARGET GLOBAL sane-backends)
target_sources(grizal2_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Scanner.cpp
)
target_link_libraries(grizal2_core PUBLIC PkgConfig::SANE)
