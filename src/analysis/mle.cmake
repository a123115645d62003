# Maximum-likelihood fits with bootstrap intervals, their report section and chart.
target_sources(grizal2_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/MaxLikelihood.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CensoredFit.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Bootstrap.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FitReport.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FitChart.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FitOptions.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FitTable.cpp
)
