# Fails when an executable imports, at start, a DLL that is not on the system's known-DLL list
# (HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\KnownDLLs of Windows 10 and 11). Only
# those always come from the system folder; any other DLL is first looked for beside the exe.
# Also fails when it imports one of FIRST_USE, the DLLs that load at their first use so that the
# program at rest does not carry them (known DLLs or not).
#   cmake -DOBJDUMP=... -DEXE=... [-DFIRST_USE=shell32;ole32...] -P CheckImports.cmake
cmake_minimum_required(VERSION 3.25)
set(known
  advapi32 clbcatq combase comdlg32 coml2 difxapi gdi32 gdiplus imagehlp imm32 kernel32 msctf
  msvcrt normaliz nsi ole32 oleaut32 psapi rpcrt4 sechost setupapi shcore shell32 shlwapi user32
  wldap32 ws2_32)
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE dump COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCHALL "DLL Name: [^\r\n]+" imports "${dump}")
if(NOT imports)
  message(FATAL_ERROR "No import table found in ${EXE}")
endif()
set(unknown)
set(early)
foreach(line ${imports})
  string(REGEX REPLACE "^DLL Name: " "" dll "${line}")
  string(TOLOWER "${dll}" name)
  string(REGEX REPLACE "\\.dll$" "" name "${name}")
  if(NOT name IN_LIST known)
    list(APPEND unknown ${dll})
  endif()
  if(name IN_LIST FIRST_USE)
    list(APPEND early ${dll})
  endif()
  list(APPEND all ${dll})
endforeach()
message(STATUS "${EXE} imports: ${all}")
if(unknown)
  list(JOIN unknown ", " unknown)
  message(FATAL_ERROR "Imported at start but not a known DLL: ${unknown}. Delay-load it instead "
    "(vandrel_delay_load_libraries in cmake/Windows.cmake).")
endif()
if(early)
  list(JOIN early ", " early)
  message(FATAL_ERROR "Imported at start but meant to load at its first use: ${early}. Call its "
    "functions through tk::SystemFunction (toolkit/SystemLibraries.h).")
endif()
