# cmake -DOBJDUMP=<objdump> -DEXE=<program> -P CheckImports.cmake
# Checks the program's file as people get it:
# - it imports only libraries that the system always loads from its own folder. The compiler's
#   runtime (libstdc++, libgcc, libwinpthread) would tie it to files beside it, and any other
#   library the system looks for in the program's folder first: a file of that name left there
#   would run inside the program before any of its code. The program loads every other library
#   itself, from the system folder, when it first needs it.
# - its header carries no time stamp, so that two builds of the same sources are the same file.
set(allowed advapi32 gdi32 kernel32 msvcrt user32)
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${EXE} failed")
endif()
string(REGEX MATCHALL "DLL Name: [^\r\n]+" entries "${dump}")
if(NOT entries)
  message(FATAL_ERROR "no imports found in ${EXE}")
endif()
set(others)
foreach(entry ${entries})
  string(REGEX REPLACE "DLL Name: ([^ ]+)\\.[dD][lL][lL] *$" "\\1" dll "${entry}")
  string(TOLOWER "${dll}" dll)
  list(FIND allowed "${dll}" known)
  if(known EQUAL -1)
    list(APPEND others ${dll})
  endif()
endforeach()
if(others)
  list(JOIN allowed ", " allowed)
  list(JOIN others ", " others)
  message(FATAL_ERROR "${EXE} imports libraries beyond ${allowed}: ${others}")
endif()
# The header's time stamp: 4 bytes, 8 into the header whose place the file gives at 0x3C.
file(READ ${EXE} at OFFSET 60 LIMIT 4 HEX)
string(REGEX REPLACE "(..)(..)(..)(..)" "0x\\4\\3\\2\\1" at "${at}")
math(EXPR at "${at} + 8")
file(READ ${EXE} stamp OFFSET ${at} LIMIT 4 HEX)
if(NOT stamp STREQUAL "00000000")
  message(FATAL_ERROR "${EXE} carries a time stamp in its header (${stamp}): two builds differ in it")
endif()
string(REPLACE "DLL Name: " "" entries "${entries}")
message(STATUS "imports only ${entries}; no time stamp")
