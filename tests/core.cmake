# Tests of the core units.
brelvik_test(test_cmdline SOURCES test_cmdline.cpp LIBS brelvik_packing)
