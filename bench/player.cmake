if(TARGET tessaly_player)
  tessaly_benchmark(bench_player
    SOURCES PlayerBench.cpp ${CMAKE_SOURCE_DIR}/tests/player/SwfTestBuilder.cpp
    LIBS tessaly_player ZLIB::ZLIB)
endif()
