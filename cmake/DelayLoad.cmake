# Delay-load import libraries made from MinGW's ordinary ones: the same functions, but the DLL is
# loaded at the first call of one of them (through the runtime's __delayLoadHelper2, whose hook
# toolkit/SystemLibraries.cpp sets) instead of when the program starts.
#   vandrel_delay_load_libraries(OUT_VAR lib...)  sets OUT_VAR to the libraries to link instead
function(vandrel_delay_load_libraries out_var)
  set(made)
  foreach(name ${ARGN})
    find_library(${name}_import_library ${name} REQUIRED)
    execute_process(COMMAND ${CMAKE_NM} ${${name}_import_library}
      OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
    # Every function of the import library has a thunk ("T Name") beside its pointer.
    string(REGEX MATCHALL "[ \t]T [A-Za-z_][A-Za-z0-9_@]*" thunks "${symbols}")
    list(TRANSFORM thunks REPLACE "^[ \t]T " "")
    list(REMOVE_DUPLICATES thunks)
    list(JOIN thunks "\n" exports)
    set(dir ${CMAKE_BINARY_DIR}/delay-load)
    file(CONFIGURE OUTPUT ${dir}/${name}.def CONTENT "LIBRARY ${name}.dll\nEXPORTS\n${exports}\n" @ONLY)
    if(${dir}/${name}.def IS_NEWER_THAN ${dir}/lib${name}_delay.a)
      execute_process(COMMAND ${CMAKE_DLLTOOL} --input-def ${dir}/${name}.def
        --output-delaylib ${dir}/lib${name}_delay.a COMMAND_ERROR_IS_FATAL ANY)
    endif()
    list(APPEND made ${dir}/lib${name}_delay.a)
  endforeach()
  set(${out_var} ${made} PARENT_SCOPE)
endfunction()
