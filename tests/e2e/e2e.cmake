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

# A strip left on no screen comes back on WM_DISPLAYCHANGE: the helper moves it and sends that.
add_executable(display_change ${CMAKE_SOURCE_DIR}/tests/e2e/display_change.cpp)
target_link_options(display_change PRIVATE -municode -mconsole)
vandrel_warnings(display_change)
add_test(NAME e2e.StripOnNoScreenComesBackOnADisplayChange
  COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/display_change.sh $<TARGET_FILE:Vandrel> $<TARGET_FILE:display_change>)
set_tests_properties(e2e.StripOnNoScreenComesBackOnADisplayChange PROPERTIES TIMEOUT 120 LABELS e2e)

# The program held with SIGSTOP: across a launch's second it starts the launch once it runs
# again; across no due second it fires nothing early; across a reminder's second and a launch's
# the next, the launch starts while the reminder window waits.
add_test(NAME e2e.AStallAcrossDueSecondsStillFiresEverySlot
  COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/stall.sh $<TARGET_FILE:Vandrel> $<TARGET_FILE:probe>
    $<TARGET_FILE:marker> ${CMAKE_BINARY_DIR}/e2e/Stall)
set_tests_properties(e2e.AStallAcrossDueSecondsStillFiresEverySlot PROPERTIES TIMEOUT 180 LABELS e2e)
