# Makes the release ZIP into a folder of its own and checks what a user gets: the program without
# its symbols, its sounds, down.bat and README.txt.
#   cmake -DBINARY_DIR=... -DOBJDUMP=... -P CheckPackage.cmake
cmake_minimum_required(VERSION 3.25)
set(out ${BINARY_DIR}/package-check)
file(REMOVE_RECURSE ${out})
execute_process(COMMAND ${CMAKE_CPACK_COMMAND} -G ZIP --config ${BINARY_DIR}/CPackConfig.cmake -B ${out}
  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
file(GLOB zip ${out}/*.zip)
file(ARCHIVE_EXTRACT INPUT ${zip} DESTINATION ${out}/unpacked)
file(GLOB_RECURSE shipped RELATIVE ${out}/unpacked ${out}/unpacked/*)
list(TRANSFORM shipped REPLACE "^[^/]*/" "")
list(SORT shipped)
set(expected README.txt Vandrel.exe call.wav down.bat wake.wav)
if(NOT shipped STREQUAL expected)
  message(FATAL_ERROR "The ZIP holds ${shipped}, expected ${expected}")
endif()
file(GLOB_RECURSE exe ${out}/unpacked/*/Vandrel.exe)
execute_process(COMMAND ${OBJDUMP} -h -t ${exe} OUTPUT_VARIABLE dump COMMAND_ERROR_IS_FATAL ANY)
if(dump MATCHES "\\.debug_" OR NOT dump MATCHES "SYMBOL TABLE:[\r\n]+no symbols")
  message(FATAL_ERROR "The shipped Vandrel.exe still carries symbols or debug sections")
endif()
file(SIZE ${exe} size)
message(STATUS "Shipped Vandrel.exe: ${size} bytes")
