# Tests of the packer units.
brelvik_test(test_pack_args LABEL unit SOURCES test_pack_args.cpp LIBS brelvik_packer)
if(WIN32)
    # brelvik-pack.exe run as the window starts it, and its report window on the display.
    brelvik_test(test_pack_win LABEL window SOURCES test_pack_win.cpp LIBS brelvik_packer brelvik_packing user32)
    target_compile_definitions(test_pack_win
                               PRIVATE BRELVIK_PACK_PROGRAM="$<TARGET_FILE:brelvik-pack>")
    add_dependencies(test_pack_win brelvik-pack)
    set_tests_properties(test_pack_win PROPERTIES RESOURCE_LOCK display)
else()
    find_package(LibArchive REQUIRED)
    # The built program run as a child process, as the window starts it.
    brelvik_test(test_pack_run LABEL platform SOURCES test_pack_run.cpp
                 LIBS brelvik_packer brelvik_test_support Qt6::Core LibArchive::LibArchive)
    target_compile_definitions(test_pack_run
                               PRIVATE BRELVIK_PACK_PROGRAM="$<TARGET_FILE:brelvik-pack>")
    add_dependencies(test_pack_run brelvik-pack)
    set_tests_properties(test_pack_run PROPERTIES ENVIRONMENT "BRELVIK_PACK_NO_WINDOW=1")
    brelvik_test(test_zipwriter LABEL unit SOURCES test_zipwriter.cpp
                 LIBS brelvik_packer brelvik_test_support Qt6::Core LibArchive::LibArchive)
endif()
