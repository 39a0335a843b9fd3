# Runs tessaly-widget-shot under Xvfb and checks that the item moved and
# the picture was written.
#   cmake -DPROGRAM=... -DXVFB_RUN=... -DOUT=....png -P WidgetShot.cmake
file(REMOVE ${OUT})
execute_process(
  COMMAND ${XVFB_RUN} -a -s "-screen 0 800x600x24" ${PROGRAM} ${OUT}
  RESULT_VARIABLE result
  OUTPUT_VARIABLE output
  ERROR_VARIABLE errors)
message("${output}${errors}")
if(NOT result EQUAL 0)
  message(FATAL_ERROR "tessaly-widget-shot failed (${result})")
endif()
if(NOT output MATCHES "but1 _x 0 -> 40, _y 0; CurrentObj but1 after 1 release")
  message(FATAL_ERROR "the item did not move as dragged")
endif()
if(NOT EXISTS ${OUT})
  message(FATAL_ERROR "${OUT} was not written")
endif()
file(SIZE ${OUT} size)
if(size LESS 1000)
  message(FATAL_ERROR "${OUT} holds only ${size} bytes")
endif()
