# Tests of the core units.
# Quoting of the packing library against the splitting rule the platform starts packers by.
brelvik_test(test_cmdline SOURCES test_cmdline.cpp LIBS brelvik_packing brelvik_platform)
brelvik_test(test_infofile SOURCES test_infofile.cpp LIBS brelvik_info)
brelvik_test(test_addonlist SOURCES test_addonlist.cpp LIBS brelvik_addonlist brelvik_info)
brelvik_test(test_listfile SOURCES test_listfile.cpp LIBS brelvik_addonlist)
brelvik_test(test_packcommand SOURCES test_packcommand.cpp LIBS brelvik_packing brelvik_platform)
