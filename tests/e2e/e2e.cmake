# The program driven from outside: xdotool gives the input, the probe reads the desktop.
add_executable(probe ${CMAKE_SOURCE_DIR}/tests/e2e/probe.cpp)
target_link_options(probe PRIVATE -municode -mconsole)
vandrel_warnings(probe)

foreach(scenario Menu TypicalRequest LaunchAndExit)
  add_test(NAME e2e.${scenario}
    COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/drive.sh ${scenario} $<TARGET_FILE:Vandrel> $<TARGET_FILE:probe>
      $<TARGET_FILE:marker> ${CMAKE_BINARY_DIR}/e2e)
  set_tests_properties(e2e.${scenario} PROPERTIES TIMEOUT 180 LABELS e2e)
endforeach()
