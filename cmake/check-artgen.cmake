# Runs the picture generator and compares its output with the committed resources.
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})
execute_process(COMMAND ${ARTGEN} ${OUT} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "artgen failed: ${rc}")
endif()
foreach(f ZEZADERI.ico logo.bmp working.avi)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT}/${f} ${SRC}/res/${f}
                  RESULT_VARIABLE diff)
  if(NOT diff EQUAL 0)
    message(FATAL_ERROR "res/${f} differs from what tools/artgen makes; run artgen res")
  endif()
endforeach()
