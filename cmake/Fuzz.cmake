# libFuzzer targets over the pure core (clang only), under ASan+UBSan. Each fuzz/<name>_fuzz.cpp
# is one target with its seed corpus in fuzz/corpus/<name>/ and, if present, a dictionary
# fuzz/<name>.dict. The tests run each target over its seeds and then for a few seconds on new
# inputs; scripts/fuzz.sh runs them for longer.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "The fuzz targets need clang's libFuzzer (the fuzz preset uses clang++-14)")
endif()

set(VANDREL_FUZZ_SECONDS 4 CACHE STRING "Seconds of new inputs per target in the tests")

set(sanitize -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
# The core is instrumented for coverage too, so that the fuzzer sees its branches.
target_compile_options(vandrel_core PRIVATE ${sanitize} -fsanitize=fuzzer-no-link)

file(GLOB fuzz_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/*_fuzz.cpp)
foreach(source ${fuzz_sources})
  get_filename_component(target ${source} NAME_WE)       # clock_text_fuzz
  string(REGEX REPLACE "_fuzz$" "" name ${target})         # clock_text
  add_executable(${target} ${source})
  target_link_libraries(${target} PRIVATE vandrel_core)
  target_compile_options(${target} PRIVATE ${sanitize} -fsanitize=fuzzer)
  target_link_options(${target} PRIVATE ${sanitize} -fsanitize=fuzzer)
  vandrel_warnings(${target})

  # New inputs the fuzzer finds go to the build folder; the committed seeds are only read.
  set(found ${CMAKE_BINARY_DIR}/corpus/${name})
  file(MAKE_DIRECTORY ${found} ${CMAKE_BINARY_DIR}/findings)
  set(dictionary)
  if(EXISTS ${CMAKE_SOURCE_DIR}/fuzz/${name}.dict)
    set(dictionary -dict=${CMAKE_SOURCE_DIR}/fuzz/${name}.dict)
  endif()
  add_test(NAME fuzz.${name}
    COMMAND ${target} -max_total_time=${VANDREL_FUZZ_SECONDS} -timeout=10 -rss_limit_mb=2048
      -print_final_stats=1 -artifact_prefix=${CMAKE_BINARY_DIR}/findings/${name}- ${dictionary}
      ${found} ${CMAKE_SOURCE_DIR}/fuzz/corpus/${name})
  set_tests_properties(fuzz.${name} PROPERTIES TIMEOUT 120 LABELS fuzz)
endforeach()
