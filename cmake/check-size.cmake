# Fails when the program file is larger than LIMIT bytes.
#   cmake -DEXE=... -DLIMIT=262144 -P check-size.cmake
file(SIZE ${EXE} size)
if(size GREATER LIMIT)
  message(FATAL_ERROR "${EXE} is ${size} bytes, more than ${LIMIT}")
endif()
message(STATUS "${EXE}: ${size} bytes (at most ${LIMIT})")
