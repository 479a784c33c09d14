# Tests of the platform units.

if(NOT WIN32)
    # Real fault injection (read-only mounts, a full disk) for tests that run as root.
    add_library(brelvik_test_support STATIC support/mount_faults.cpp)
    target_link_libraries(brelvik_test_support PUBLIC brelvik_options)
endif()
