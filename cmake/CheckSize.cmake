# Reports the size of the program as it ships, stripped by the same tool as the package, against
# its budget; with -DCHECK=ON fails when it is over.
#   cmake -DEXE=... -DSTRIP=... -DBUDGET=... -DCOPY=... [-DCHECK=ON] -P CheckSize.cmake
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${STRIP} --strip-all -o ${COPY} ${EXE} COMMAND_ERROR_IS_FATAL ANY)
file(SIZE ${COPY} size)
file(REMOVE ${COPY})
get_filename_component(name ${EXE} NAME)
if(size GREATER BUDGET)
  math(EXPR over "${size} - ${BUDGET}")
  set(verdict ", ${over} over")
endif()
message("${name} stripped: ${size} bytes of ${BUDGET}${verdict}")
if(CHECK AND size GREATER BUDGET)
  message(FATAL_ERROR "${name} has outgrown its budget. Find where the bytes went (objdump -h, a "
    "linker map with -Wl,-Map) and win them back; raising VANDREL_EXE_BUDGET in "
    "cmake/Windows.cmake is a change to review on its own.")
endif()
