# Tests of the core units.
brelvik_test(test_cmdline SOURCES test_cmdline.cpp LIBS brelvik_packing)
brelvik_test(test_infofile SOURCES test_infofile.cpp LIBS brelvik_info)
