tessaly_benchmark(bench_swf
  SOURCES SWFWriterBench.cpp
  LIBS tessaly_swf)
