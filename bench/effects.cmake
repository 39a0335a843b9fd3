# Animated builds of the reference banner and of 99 items, end to end.
if(NOT TARGET tessaly_test_pictures)
  add_subdirectory(${CMAKE_SOURCE_DIR}/tests/support ${CMAKE_BINARY_DIR}/tests/support)
endif()
tessaly_benchmark(bench_effects SOURCES EffectsBench.cpp LIBS tessaly_effects tessaly_reference_banner)
