# Benchmarks of the window, on Qt's offscreen platform; each reports its ratio to a baseline.
brelvik_bench(bench_window SOURCES bench_window.cpp LIBS brelvik_window_qt Qt6::Test)
# The Addonlist's refreshes at two sizes and adding an add-on to a long list.
brelvik_bench(bench_window_addonlist SOURCES bench_window_addonlist.cpp LIBS brelvik_window_qt Qt6::Test)
# Loading one long line beside short lines in each box: longest event, time and peak memory.
brelvik_bench(bench_longlines SOURCES bench_longlines.cpp LIBS brelvik_window_qt Qt6::Test)
