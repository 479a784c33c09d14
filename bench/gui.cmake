# Benchmarks of the window, on Qt's offscreen platform; each reports its ratio to a baseline.
brelvik_bench(bench_window SOURCES bench_window.cpp LIBS brelvik_window Qt6::Test)
