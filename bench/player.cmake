# The player on a banner-like movie of its own, and on the reference banner
# as the pipeline and the effect engine build it.
if(TARGET tessaly_player)
  if(NOT TARGET tessaly_test_pictures)
    add_subdirectory(${CMAKE_SOURCE_DIR}/tests/support ${CMAKE_BINARY_DIR}/tests/support)
  endif()
  tessaly_benchmark(bench_player
    SOURCES PlayerBench.cpp ${CMAKE_SOURCE_DIR}/tests/player/SwfTestBuilder.cpp
    LIBS tessaly_player tessaly_effects tessaly_reference_banner ZLIB::ZLIB)
endif()
