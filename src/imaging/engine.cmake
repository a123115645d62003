target_sources(grizal2_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Pictures.cpp
    ${CMAKE_CURRENT_LIST_DIR}/BinaryAnalysis.cpp
)
# The median network's vector build; chosen at run time where the processor has AVX2.
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|amd64)$")
  target_sources(grizal2_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/MedianAvx2.cpp ${CMAKE_CURRENT_LIST_DIR}/AnalysisScanAvx2.cpp)
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/MedianAvx2.cpp ${CMAKE_CURRENT_LIST_DIR}/AnalysisScanAvx2.cpp
      TARGET_DIRECTORY grizal2_core PROPERTIES COMPILE_OPTIONS "-mavx2")
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/Pictures.cpp ${CMAKE_CURRENT_LIST_DIR}/BinaryAnalysis.cpp
      TARGET_DIRECTORY grizal2_core PROPERTIES COMPILE_DEFINITIONS GRIZAL2_HAVE_AVX2)
endif()
# The pixel loops are written to be vectorised, which the compiler only does at -O3.
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/Pictures.cpp TARGET_DIRECTORY grizal2_core PROPERTIES COMPILE_OPTIONS "-O3")
