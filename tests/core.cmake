# Tests of the core units.
brelvik_test(test_cmdline SOURCES test_cmdline.cpp LIBS brelvik_packing)
brelvik_test(test_infofile SOURCES test_infofile.cpp LIBS brelvik_info)
brelvik_test(test_addonlist SOURCES test_addonlist.cpp LIBS brelvik_addonlist brelvik_info)
brelvik_test(test_listfile SOURCES test_listfile.cpp LIBS brelvik_addonlist)
brelvik_test(test_packcommand SOURCES test_packcommand.cpp LIBS brelvik_packing)
