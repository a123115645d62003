# AddressSanitizer and UndefinedBehaviorSanitizer for everything built after this point.
# Undefined behaviour stops the program, so that a test or a fuzz run fails on it.
set(GRIZAL2_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_compile_options(${GRIZAL2_SANITIZER_FLAGS})
add_link_options(-fsanitize=address,undefined)
if(GRIZAL2_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "The fuzz targets need clang: configure with -DCMAKE_CXX_COMPILER=clang++")
  endif()
  # Coverage feedback for libFuzzer in every library; the targets themselves link its driver.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# The runtimes' defaults, in every program made from here on.
add_library(grizal2_sanitizer_defaults OBJECT ${CMAKE_CURRENT_LIST_DIR}/SanitizerDefaults.cpp)
find_file(GRIZAL2_SANE_TEST_BACKEND libsane-test.so.1
          PATHS /usr/lib/${CMAKE_LIBRARY_ARCHITECTURE}/sane /usr/lib/sane NO_DEFAULT_PATH)
if(GRIZAL2_SANE_TEST_BACKEND)
  target_compile_definitions(grizal2_sanitizer_defaults PRIVATE GRIZAL2_SANE_TEST_BACKEND="${GRIZAL2_SANE_TEST_BACKEND}")
endif()
link_libraries(grizal2_sanitizer_defaults ${CMAKE_DL_LIBS})
