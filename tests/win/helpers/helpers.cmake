# Programs that the Wine tests start. They land beside win_tests.exe, whose tests find them
# through MARKER_EXE; the tests also read the shipped sounds through VANDREL_SOURCE_DIR.
add_executable(marker WIN32 ${CMAKE_SOURCE_DIR}/tests/win/helpers/marker.cpp)
target_link_options(marker PRIVATE -municode)
vandrel_warnings(marker)

add_dependencies(win_tests marker)
target_compile_definitions(win_tests PRIVATE
  MARKER_EXE="$<TARGET_FILE:marker>"
  VANDREL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")

# The browser and mailer of the test prefix write where VANDREL_URL_LOG says; this run checks
# that, with a log of its own in the build folder.
add_test(NAME ShellTest.ShellOpenRecordsIntoTheChosenUrlLog
  COMMAND ${CMAKE_COMMAND} -E env VANDREL_URL_LOG=${CMAKE_BINARY_DIR}/url-log/opened-urls.log
    ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:win_tests>
    --gtest_filter=ShellTest.ShellOpenHandsWebAddressesAndMailLinksToTheBrowserAndMailer)
set_tests_properties(ShellTest.ShellOpenRecordsIntoTheChosenUrlLog PROPERTIES TIMEOUT 120 LABELS win)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/url-log)

# Programs that drive the real strip outside the test runner: the firing-latency measurement
# (scripts/measure-firing-latency.sh) and the soak (scripts/soak.sh). Not tests: they run for minutes.
foreach(program firing_latency soak)
  add_executable(${program} ${CMAKE_SOURCE_DIR}/tests/win/helpers/${program}.cpp ${resource_object})
  target_link_libraries(${program} PRIVATE vandrel_ui psapi ole32)
  target_link_options(${program} PRIVATE -municode -mconsole)
  vandrel_warnings(${program})
endforeach()
# The soak copies the shipped sounds and starts copies of the marker.
add_dependencies(soak marker)
target_compile_definitions(soak PRIVATE
  MARKER_EXE="$<TARGET_FILE:marker>"
  VANDREL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")

# The exe's own thread functions, under several threads at once.
add_executable(thread_library_probe ${CMAKE_SOURCE_DIR}/tests/win/helpers/thread_library_probe.cpp
  ${CMAKE_SOURCE_DIR}/app/ThreadLibrary.cpp)
target_link_options(thread_library_probe PRIVATE -mconsole)
vandrel_warnings(thread_library_probe)
add_test(NAME ThreadLibrary.ExceptionsLocksOnceAndKeysAcrossThreads
  COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:thread_library_probe>)
set_tests_properties(ThreadLibrary.ExceptionsLocksOnceAndKeysAcrossThreads PROPERTIES TIMEOUT 60 LABELS win)
