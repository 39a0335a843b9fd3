# cmake -DPROGRAM=<tessaly-draw-particles> -DASSETS=<assets folder> -DWORK=<empty folder> -P CheckParticles.cmake
#
# Draws the ten particle pictures into WORK and fails unless every one is
# byte for byte the committed picture in ASSETS.
foreach(var PROGRAM ASSETS WORK)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${PROGRAM} ${WORK} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} ${WORK} failed: ${status}")
endif()

set(differ "")
foreach(kind leaf balloon)
  foreach(k RANGE 1 5)
    set(name ${kind}${k}.gif)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/${name} ${ASSETS}/${name} RESULT_VARIABLE same)
    if(NOT same EQUAL 0)
      list(APPEND differ ${name})
    endif()
  endforeach()
endforeach()
file(REMOVE_RECURSE ${WORK})
if(differ)
  message(FATAL_ERROR "drawn again, these pictures differ from ${ASSETS}: ${differ}")
endif()
