# Warnings for all of our own code; GoogleTest keeps its own.
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  set(NAMEGEN_WARNINGS -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor)
elseif(MSVC)
  set(NAMEGEN_WARNINGS /W4)
endif()

# namegen_module(NAME <name> [PURE <sources>...] [WIN <sources>...] [DEPENDS <modules>...])
#
# Every folder is one module. PURE sources use no <windows.h>: they form <name>_pure,
# built for both targets. WIN sources form <name>, built only for Windows, on top of
# <name>_pure and the named modules.

function(namegen_module)
  cmake_parse_arguments(M "" "NAME" "PURE;WIN;DEPENDS" ${ARGN})
  if(M_PURE)
    add_library(${M_NAME}_pure STATIC ${M_PURE})
    target_include_directories(${M_NAME}_pure PUBLIC ${PROJECT_SOURCE_DIR})
    target_compile_options(${M_NAME}_pure PRIVATE ${NAMEGEN_WARNINGS})
    set_property(GLOBAL APPEND PROPERTY NAMEGEN_PURE_LIBS ${M_NAME}_pure)
    foreach(dep ${M_DEPENDS})
      if(TARGET ${dep}_pure)
        target_link_libraries(${M_NAME}_pure PUBLIC ${dep}_pure)
      endif()
    endforeach()
  endif()
  if(WIN32 AND M_WIN)
    add_library(${M_NAME} STATIC ${M_WIN})
    target_include_directories(${M_NAME} PUBLIC ${PROJECT_SOURCE_DIR})
    target_compile_options(${M_NAME} PRIVATE ${NAMEGEN_WARNINGS})
    if(M_PURE)
      target_link_libraries(${M_NAME} PUBLIC ${M_NAME}_pure)
    endif()
    target_link_libraries(${M_NAME} PUBLIC ${M_DEPENDS})
    set_property(GLOBAL APPEND PROPERTY NAMEGEN_WIN_LIBS ${M_NAME})
  endif()
endfunction()
