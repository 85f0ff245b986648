# Link audit of the installer: its link (the linker's map, MAP) took no member of the
# C++ library, its support library or the unwinder, and the program file (EXE) holds no
# unwind tables. Of the compiler's runtime only its small helpers may come in. Prints the
# map's account: which libraries gave members, and how many.
#   cmake -DOBJDUMP=... -DEXE=... -DMAP=... -P check-link.cmake
if(NOT EXISTS "${MAP}")
  message(FATAL_ERROR "no link map ${MAP}: the program must be linked with -Map")
endif()
file(READ ${MAP} map)
string(FIND "${map}" "Archive member included to satisfy reference" start)
string(FIND "${map}" "Discarded input sections" end)
if(start EQUAL -1 OR end LESS start)
  message(FATAL_ERROR "${MAP}: no list of archive members in it")
endif()
math(EXPR length "${end} - ${start}")
string(SUBSTRING "${map}" ${start} ${length} members)
# Each member taken starts a line; the file that wanted it follows.
string(REGEX MATCHALL "\n[^\n( \t]+\\.a\\([^)\n]+\\)" taken "${members}")

set(bad "")
set(counts "")
foreach(member ${taken})
  string(STRIP "${member}" member)
  string(REGEX REPLACE "^.*/" "" member "${member}")
  string(REGEX REPLACE "\\(.*" "" library "${member}")
  if(library MATCHES "^lib(stdc\\+\\+|supc\\+\\+|gcc_eh|gcc_s)\\.a$" OR
     member MATCHES "^libgcc\\.a\\((unwind|emutls|gthr)")
    list(APPEND bad "${member}")
  endif()
  list(APPEND counts "${library}")
endforeach()

execute_process(COMMAND ${OBJDUMP} -h ${EXE} OUTPUT_VARIABLE sections RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "objdump failed on ${EXE}")
endif()
# The section's name is cut to eight characters in a program file.
if(sections MATCHES "\\.eh_fram")
  list(APPEND bad "unwind tables (.eh_frame) in ${EXE}")
endif()

if(bad)
  list(JOIN bad "\n  " list)
  message(FATAL_ERROR "the installer links what it must not:\n  ${list}")
endif()
set(libraries ${counts})
list(REMOVE_DUPLICATES libraries)
set(account "")
foreach(library ${libraries})
  set(n 0)
  foreach(each ${counts})
    if(each STREQUAL library)
      math(EXPR n "${n} + 1")
    endif()
  endforeach()
  string(APPEND account " ${library} ${n}")
endforeach()
message(STATUS "${EXE}: no C++ library, no unwinder, no unwind tables; archive members:${account}")
