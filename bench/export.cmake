# Exports of the reference banner with a three-second effect: GIF, WebP and
# the HTML5 package, against plain encoding without frame differencing.
if(TARGET tessaly_export)
  if(NOT TARGET tessaly_reference_banner)
    add_subdirectory(${CMAKE_SOURCE_DIR}/tests/support ${CMAKE_BINARY_DIR}/tests/support)
  endif()
  tessaly_benchmark(bench_export SOURCES ExportBench.cpp LIBS tessaly_export tessaly_effects tessaly_reference_banner)
endif()
