# cmake -DOBJDUMP=<objdump> -DEXE=<program> [-DNOT_AT_STARTUP=<dll>,...] -P CheckImports.cmake
# Fails when the program imports a DLL that is not part of the operating system, such as
# the compiler's runtime (libstdc++, libgcc, libwinpthread): the program must run from a
# bare copy of its one file. DLLs named in NOT_AT_STARTUP must not be imported either: the
# program loads them when it first needs them, which keeps its start-up short.
set(system_dlls
  advapi32 comctl32 comdlg32 gdi32 imm32 kernel32 msimg32 msvcrt ole32 oleacc oleaut32 shell32
  shlwapi user32 uxtheme version winmm)
string(REPLACE "," ";" NOT_AT_STARTUP "${NOT_AT_STARTUP}")
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${EXE} failed")
endif()
string(REGEX MATCHALL "DLL Name: [^\r\n]+" entries "${dump}")
if(NOT entries)
  message(FATAL_ERROR "no imports found in ${EXE}")
endif()
set(foreign)
foreach(entry ${entries})
  string(REGEX REPLACE "DLL Name: ([^ ]+)\\.[dD][lL][lL] *$" "\\1" dll "${entry}")
  string(TOLOWER "${dll}" dll)
  list(FIND system_dlls "${dll}" known)
  if(known EQUAL -1 AND NOT dll MATCHES "^api-ms-win-")
    list(APPEND foreign ${dll})
  endif()
endforeach()
if(foreign)
  message(FATAL_ERROR "${EXE} imports DLLs that are not the system's: ${foreign}")
endif()
foreach(entry ${entries})
  string(REGEX REPLACE "DLL Name: ([^ ]+)\\.[dD][lL][lL] *$" "\\1" dll "${entry}")
  string(TOLOWER "${dll}" dll)
  list(FIND NOT_AT_STARTUP "${dll}" late)
  if(NOT late EQUAL -1)
    message(FATAL_ERROR "${EXE} imports ${dll}, which it should load only when needed")
  endif()
endforeach()
string(REPLACE "DLL Name: " "" entries "${entries}")
message(STATUS "imports only system DLLs: ${entries}")
