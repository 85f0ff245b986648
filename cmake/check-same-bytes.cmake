# The same sources give the same bytes, in any folder at any time: fails when a program
# carries the time or the folder of its build. Its PE time stamp (the linker's only
# record of the time) must be 0; no text in it may name the source or build folder, or
# look like a compiler's __DATE__ or __TIME__. The checksum is a sum over the file's
# bytes, so it follows. (A second build in another folder, compared byte for byte,
# gave the same files; this catches the same causes without the build.)
#   cmake -DEXES=A.EXE,B.EXE -DSRC=... -DBIN=... -P check-same-bytes.cmake
string(REPLACE "," ";" EXES "${EXES}")
foreach(EXE ${EXES})
  file(READ ${EXE} head LIMIT 1024 HEX)
  string(SUBSTRING "${head}" 120 8 lfanew_hex)  # e_lfanew at 0x3C, little-endian
  set(lfanew 0)
  foreach(i 6 4 2 0)
    string(SUBSTRING "${lfanew_hex}" ${i} 2 byte)
    math(EXPR lfanew "${lfanew} * 256 + 0x${byte}")
  endforeach()
  math(EXPR stamp_at "(${lfanew} + 8) * 2")
  string(SUBSTRING "${head}" ${stamp_at} 8 stamp)
  if(NOT stamp STREQUAL "00000000")
    message(FATAL_ERROR "${EXE}: its PE time stamp is ${stamp} (little-endian), not 0: the link time is in the file")
  endif()
  foreach(folder ${SRC} ${BIN})
    file(STRINGS ${EXE} found REGEX "${folder}")
    if(found)
      message(FATAL_ERROR "${EXE} names the folder of its build, ${folder}: ${found}")
    endif()
  endforeach()
  set(months "(Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) [ 0-3][0-9] [12][0-9][0-9][0-9]")
  file(STRINGS ${EXE} found REGEX "${months}|[0-2][0-9]:[0-5][0-9]:[0-5][0-9]")
  if(found)
    message(FATAL_ERROR "${EXE} holds a date or time of day, as __DATE__ and __TIME__ give: ${found}")
  endif()
endforeach()
