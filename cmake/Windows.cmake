# The Windows program, its resources and the tests that run under Wine.
enable_language(RC)

add_compile_definitions(UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0A00)

# The Win32 side: everything outside core/.
file(GLOB ui_sources CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/toolkit/*.cpp ${CMAKE_SOURCE_DIR}/platform/*.cpp
  ${CMAKE_SOURCE_DIR}/clockbar/*.cpp ${CMAKE_SOURCE_DIR}/dialogs/*.cpp)
add_library(vandrel_ui STATIC ${ui_sources})
# Only DLLs on the system's known-DLL list are imported at start. The toolkit's other DLLs are
# delay-loaded from the system folder; what only a command, a dialog or a task needs (the
# shell, COM, the common dialogs, the sound devices) is looked up by its service at the first
# use and imported not at all (toolkit/SystemLibraries.h says why). ImportsOnlyKnownDlls checks both.
include(cmake/DelayLoad.cmake)
vandrel_delay_load_libraries(delay_loaded comctl32 uxtheme)
set(first_use_libraries shell32 ole32 comdlg32 winmm oleacc oleaut32)
# uuid: the interface identifiers of COM (IID_IAccessible, ...), data linked in, no DLL.
target_link_libraries(vandrel_ui PUBLIC vandrel_core user32 gdi32 uuid ${delay_loaded})
vandrel_warnings(vandrel_ui)

# The shipped code is built for size: a strip that runs all day beside everything else should
# cost little to load and keep, and its hot paths (a tick and a repaint a second) are
# far too light for -O3 to show. Data in sections of their own lets the linker drop what is not
# referenced (functions cannot be dropped: the x64 unwind tables keep every one). The program
# has one thread, so function-local statics need no locks (and the thread library fewer parts).
# No run-time type information: nothing asks an object's type by a cast, and without it every
# class and every std::function target sheds its type record. Exceptions are still caught by
# type: the compiler keeps the records of what is thrown. The tests keep theirs (their framework
# uses them); the native presets (host, bench, fuzz) keep their own flags. Constructors and
# destructors keep their usual entry points: with the one common body that -Os would give them,
# each file that uses an inline one keeps a private copy of it (the object format cannot share it),
# about 9 KB of copies of the controls' and dialogs' destructors. For the same reason no
# function is cloned with a narrower signature (IPA-SRA): the clones of the string library's
# helpers are private to each file, about 3 KB of them.
set(shipped_code_options -Oz -fdata-sections -fno-threadsafe-statics -fno-rtti -fno-declone-ctor-dtor -fno-ipa-sra)
foreach(target vandrel_core vandrel_ui)
  target_compile_options(${target} PRIVATE ${shipped_code_options})
endforeach()

# Icon, glyphs, pictures, manifest and version information; linked into the program and into the
# GUI tests, whose forms load the same resources from their own module.
# The copyright line of the file's properties: a placeholder of our own, like the contact details.
set(VANDREL_COPYRIGHT "Copyright © 2026 vandrel.example" CACHE STRING "Copyright line of the version resource")
configure_file(cmake/VersionInfo.h.in ${CMAKE_BINARY_DIR}/generated/VersionInfo.h @ONLY)
set(resource_object ${CMAKE_SOURCE_DIR}/resources/Vandrel.rc)

add_executable(Vandrel WIN32 app/Project1.cpp app/ThreadLibrary.cpp ${resource_object})
target_link_libraries(Vandrel PRIVATE vandrel_ui)
target_compile_options(Vandrel PRIVATE ${shipped_code_options})
# Linked as it ships, without symbols. An exception that nothing catches ends the program at
# once instead of through the library's verbose handler, which would print the exception's
# name to a standard error stream that a windows program does not have, and whose name
# demangler alone is 45 KB.
target_link_options(Vandrel PRIVATE -municode -s -Wl,--gc-sections
  -Wl,--defsym,_ZN9__gnu_cxx27__verbose_terminate_handlerEv=abort)
vandrel_warnings(Vandrel)

# The most the shipped exe, stripped, may weigh. Raising it is a change of its own, reviewed as
# such; the build reports the size against it and package.StrippedExeWithinBudget fails above it.
set(VANDREL_EXE_BUDGET 196608)
set(size_check -DEXE=$<TARGET_FILE:Vandrel> -DSTRIP=${CMAKE_STRIP} -DBUDGET=${VANDREL_EXE_BUDGET}
  -P ${CMAKE_SOURCE_DIR}/cmake/CheckSize.cmake)
add_custom_command(TARGET Vandrel POST_BUILD
  COMMAND ${CMAKE_COMMAND} -DCOPY=${CMAKE_BINARY_DIR}/Vandrel.size-report.exe ${size_check} VERBATIM)

# The files the program expects beside itself.
foreach(shipped call.wav wake.wav down.bat)
  add_custom_command(TARGET Vandrel POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_SOURCE_DIR}/resources/${shipped} $<TARGET_FILE_DIR:Vandrel>/${shipped})
endforeach()
install(TARGETS Vandrel RUNTIME DESTINATION .)
install(FILES resources/call.wav resources/wake.wav resources/down.bat resources/README.txt DESTINATION .)
set(CPACK_GENERATOR ZIP)
set(CPACK_STRIP_FILES ON) # the exe ships without its symbols (CMAKE_STRIP, MinGW's strip)
set(CPACK_PACKAGE_FILE_NAME Vandrel-${PROJECT_VERSION})
include(CPack)

if(BUILD_TESTING)
  if(EXISTS /usr/src/googletest/CMakeLists.txt) # Debian's sources, built with the cross compiler
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  else() # e.g. MSYS2's mingw-w64-x86_64-gtest on Windows
    find_package(GTest REQUIRED)
  endif()
  include(GoogleTest)

  file(GLOB win_tests CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/*.cpp)
  add_executable(win_tests ${win_tests} ${resource_object})
  # The tests also drive the sound devices directly, and read the windows as a screen reader
  # does. uuid comes before oleacc: oleacc's import library also has an IID_IAccessible, a stub
  # of code that would be taken for the identifier.
  target_link_libraries(win_tests PRIVATE vandrel_ui GTest::gtest version winmm uuid oleacc oleaut32 ole32)
  target_link_options(win_tests PRIVATE -municode -mconsole)
  vandrel_warnings(win_tests)
  # Each test runs in a process of its own under Wine; the first discovery may create the prefix.
  gtest_discover_tests(win_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 180
    PROPERTIES TIMEOUT 60 LABELS win)

  # The shipped program's DLLs at start: known DLLs only.
  add_test(NAME package.ImportsOnlyKnownDlls
    COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP} -DEXE=$<TARGET_FILE:Vandrel>
      "-DFIRST_USE=${first_use_libraries}" -P ${CMAKE_SOURCE_DIR}/cmake/CheckImports.cmake)
  set_tests_properties(package.ImportsOnlyKnownDlls PROPERTIES TIMEOUT 60 LABELS package)
  add_test(NAME package.ZipHoldsStrippedExeAndReadme
    COMMAND ${CMAKE_COMMAND} -DBINARY_DIR=${CMAKE_BINARY_DIR} -DOBJDUMP=${CMAKE_OBJDUMP}
      -P ${CMAKE_SOURCE_DIR}/cmake/CheckPackage.cmake)
  set_tests_properties(package.ZipHoldsStrippedExeAndReadme PROPERTIES TIMEOUT 120 LABELS package)
  add_test(NAME package.StrippedExeWithinBudget
    COMMAND ${CMAKE_COMMAND} -DCOPY=${CMAKE_BINARY_DIR}/Vandrel.size-check.exe -DCHECK=ON ${size_check})
  set_tests_properties(package.StrippedExeWithinBudget PROPERTIES TIMEOUT 60 LABELS package)

  if(CMAKE_CROSSCOMPILING)
  # The same strip at 144 dpi, in a prefix of its own so the other tests keep 96.
  add_test(NAME HighDpi.At144Dpi
    COMMAND ${CMAKE_COMMAND} -E env VANDREL_LOGPIXELS=144 VANDREL_EXPECT_DPI=144
      ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:win_tests> --gtest_filter=HighDpi.*)
  set_tests_properties(HighDpi.At144Dpi PROPERTIES TIMEOUT 180 LABELS win)

  # A planted DLL beside the exe is not loaded in place of the system's.
  add_library(planted_dll SHARED tests/e2e/planted_dll.cpp)
  set_target_properties(planted_dll PROPERTIES PREFIX "" OUTPUT_NAME planted)
  add_test(NAME e2e.PlantedDllsBesideTheExeAreNotLoaded
    COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/planted_dll.sh $<TARGET_FILE:Vandrel> $<TARGET_FILE:planted_dll>
      ${CMAKE_BINARY_DIR}/planted)
  set_tests_properties(e2e.PlantedDllsBesideTheExeAreNotLoaded PROPERTIES TIMEOUT 120 LABELS e2e)

  add_test(NAME e2e.StripShowsTopRight
    COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/smoke.sh $<TARGET_FILE:Vandrel> ${CMAKE_BINARY_DIR}/screenshots)
  set_tests_properties(e2e.StripShowsTopRight PROPERTIES TIMEOUT 120 LABELS e2e)
  endif()
endif()

# Small helper programs that the tests start (each folder's own CMake file lists them).
if(BUILD_TESTING)
  include(${CMAKE_SOURCE_DIR}/tests/win/helpers/helpers.cmake OPTIONAL)
  if(CMAKE_CROSSCOMPILING)
    include(${CMAKE_SOURCE_DIR}/tests/e2e/e2e.cmake)
  endif()
endif()

# The yardsticks of scripts/measure-idle.sh: the least a program must do to show the clock with
# the strip's three timers, and the same clock woken only once a second.
add_executable(idle_floor WIN32 bench/idle/floor.cpp)
target_link_options(idle_floor PRIVATE -municode)
add_executable(idle_second_clock WIN32 bench/idle/second_clock.cpp)
target_link_options(idle_second_clock PRIVATE -municode)
vandrel_warnings(idle_second_clock)
# The real strip with one time-of-day slot armed, measured beside them.
add_executable(idle_strip_armed WIN32 tests/win/helpers/strip_armed.cpp ${resource_object})
target_link_libraries(idle_strip_armed PRIVATE vandrel_ui)
target_link_options(idle_strip_armed PRIVATE -municode)
vandrel_warnings(idle_strip_armed)
