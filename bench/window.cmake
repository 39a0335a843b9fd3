# The main window on real widgets: a field change to the new preview painted,
# and start-up to the first preview painted.
if(TARGET tessaly_shell_ui)
  if(NOT TARGET tessaly_reference_banner)
    add_subdirectory(${CMAKE_SOURCE_DIR}/tests/support ${CMAKE_BINARY_DIR}/tests/support)
  endif()
  tessaly_benchmark(bench_window
    SOURCES WindowBench.cpp ${CMAKE_SOURCE_DIR}/tests/shell/WindowTestSupport.cpp
    LIBS tessaly_shell_ui tessaly_reference_banner)
endif()
