# Native build of the pure core: GoogleTest suite (under ASan+UBSan in the host preset) and the
# Google Benchmark programs.
option(VANDREL_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(VANDREL_SANITIZE)
  set(sanitize -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${sanitize})
  add_link_options(${sanitize})
  # The core library was declared before this option took effect.
  target_compile_options(vandrel_core PRIVATE ${sanitize})
endif()

find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB host_tests CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/host/*.cpp)
add_executable(host_tests ${host_tests})
target_link_libraries(host_tests PRIVATE vandrel_core GTest::gtest_main)
vandrel_warnings(host_tests)
gtest_discover_tests(host_tests DISCOVERY_MODE PRE_TEST PROPERTIES TIMEOUT 120 LABELS host)

find_package(benchmark QUIET)
if(benchmark_FOUND)
  file(GLOB bench_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*.cpp)
  add_executable(core_bench ${bench_sources})
  target_link_libraries(core_bench PRIVATE vandrel_core benchmark::benchmark benchmark::benchmark_main)
  vandrel_warnings(core_bench)
  # A few iterations only: proves the benchmarks run; the figures come from the bench preset.
  add_test(NAME bench_smoke COMMAND core_bench --benchmark_min_time=0.001)
  set_tests_properties(bench_smoke PROPERTIES TIMEOUT 120 LABELS host)
endif()

# The generator of the pictures and sounds, and its checks.
find_package(Python3 COMPONENTS Interpreter QUIET)
if(Python3_FOUND)
  add_test(NAME resources.Generator
    COMMAND ${Python3_EXECUTABLE} -m unittest discover -s ${CMAKE_SOURCE_DIR}/resources/tools -p "test_*.py")
  set_tests_properties(resources.Generator PROPERTIES TIMEOUT 120 LABELS host)
endif()
