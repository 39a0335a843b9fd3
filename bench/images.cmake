# Picture decoding and the lossless bitmap data of image objects.
if(NOT TARGET tessaly_test_pictures)
  add_subdirectory(${CMAKE_SOURCE_DIR}/tests/support ${CMAKE_BINARY_DIR}/tests/support)
endif()
tessaly_benchmark(bench_images SOURCES ImagesBench.cpp LIBS tessaly_swf tessaly_test_pictures)
