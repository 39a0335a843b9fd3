tessaly_benchmark(bench_fonts
  SOURCES FontsBench.cpp
  LIBS tessaly_swf)
