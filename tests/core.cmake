# Tests of the core units.
# Quoting of the packing library against the splitting rule the platform starts packers by.
brelvik_test(test_cmdline LABEL unit SOURCES test_cmdline.cpp LIBS brelvik_packing brelvik_platform)
brelvik_test(test_infofile LABEL unit SOURCES test_infofile.cpp LIBS brelvik_info)
brelvik_test(test_addonlist LABEL unit SOURCES test_addonlist.cpp
             LIBS brelvik_addonlist brelvik_info)
brelvik_test(test_listfile LABEL unit SOURCES test_listfile.cpp LIBS brelvik_addonlist)
brelvik_test(test_packcommand LABEL unit SOURCES test_packcommand.cpp
             LIBS brelvik_packing brelvik_platform)
