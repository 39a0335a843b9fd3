# Building the reference banner's editing preview.
if(NOT TARGET tessaly_test_pictures)
  add_subdirectory(${CMAKE_SOURCE_DIR}/tests/support ${CMAKE_BINARY_DIR}/tests/support)
endif()
tessaly_benchmark(bench_document SOURCES DocumentBench.cpp LIBS tessaly_document tessaly_reference_banner)
