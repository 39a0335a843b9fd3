tessaly_benchmark(bench_model
  SOURCES ModelBench.cpp
  LIBS tessaly_swf)
