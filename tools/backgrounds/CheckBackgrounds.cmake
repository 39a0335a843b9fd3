# cmake -DPROGRAM=<tessaly-draw-backgrounds> -DASSETS=<assets folder> -DWORK=<empty folder> -P CheckBackgrounds.cmake
#
# Draws the background pictures and the preview picture into WORK and fails
# unless the same files, byte for byte, are the ones committed in ASSETS (no
# picture missing, none left over).
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

file(GLOB drawn RELATIVE ${WORK}/backgrounds ${WORK}/backgrounds/*)
file(GLOB committed RELATIVE ${ASSETS}/backgrounds ${ASSETS}/backgrounds/*)
list(SORT drawn)
list(SORT committed)
if(NOT drawn STREQUAL committed)
  message(FATAL_ERROR "drawn: ${drawn}\ncommitted in ${ASSETS}/backgrounds: ${committed}")
endif()

set(differ "")
foreach(name IN LISTS drawn)
  list(APPEND names backgrounds/${name})
endforeach()
list(APPEND names preview6.bmp previewflash1.bmp)
foreach(name IN LISTS names)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/${name} ${ASSETS}/${name} RESULT_VARIABLE same)
  if(NOT same EQUAL 0)
    list(APPEND differ ${name})
  endif()
endforeach()
file(REMOVE_RECURSE ${WORK})
if(differ)
  message(FATAL_ERROR "drawn again, these pictures differ from ${ASSETS}: ${differ}")
endif()
