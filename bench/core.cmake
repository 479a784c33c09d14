# Benchmarks of the core units.
brelvik_bench(bench_core SOURCES bench_infofile.cpp bench_addonlist.cpp
              LIBS brelvik_info brelvik_addonlist benchmark::benchmark_main)
