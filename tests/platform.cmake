# Tests of the platform units. Files with a _posix or _win suffix join a test only on their
# system.

if(WIN32)
    set(_brelvik_os win)
else()
    set(_brelvik_os posix)
    # Real fault injection (read-only mounts, a full disk) for tests that run as root.
    add_library(brelvik_test_support STATIC support/mount_faults.cpp)
    target_link_libraries(brelvik_test_support PUBLIC brelvik_options)
    set(_brelvik_support brelvik_test_support)
endif()

brelvik_test(test_codepage LABEL platform SOURCES test_codepage.cpp LIBS brelvik_platform)
brelvik_test(test_collation LABEL platform SOURCES test_collation.cpp LIBS brelvik_platform brelvik_window)

set(_brelvik_files_tests test_files.cpp)
if(NOT WIN32)
    list(APPEND _brelvik_files_tests test_files_posix.cpp)
endif()
brelvik_test(test_files LABEL platform SOURCES ${_brelvik_files_tests}
             LIBS brelvik_platform brelvik_info ${_brelvik_support})

if(NOT WIN32)
    brelvik_test(test_settings_store LABEL platform SOURCES test_settings_store.cpp
                 LIBS brelvik_platform)
    brelvik_test(test_standin_packer LABEL platform SOURCES test_standin_packer.cpp
                 LIBS brelvik_platform brelvik_packing)
endif()

# The RegAccess behaviour cases run against the settings store here and the registry on
# Windows; each system adds the cases only it can show.
brelvik_test(test_regaccess LABEL platform
    SOURCES test_regaccess.cpp test_regaccess_${_brelvik_os}.cpp
            regaccess_fixture_${_brelvik_os}.cpp
    LIBS brelvik_platform ${_brelvik_support})

# The process start runs a recorder that writes down the arguments (and on Windows the command
# line and the window's show state) it received.
add_executable(brelvik_process_recorder process_recorder.cpp process_recorder_${_brelvik_os}.cpp)
target_link_libraries(brelvik_process_recorder PRIVATE brelvik_options brelvik_platform)
if(WIN32)
    target_link_libraries(brelvik_process_recorder PRIVATE shell32)
endif()
set(_brelvik_process_tests test_process.cpp process_recorder_${_brelvik_os}.cpp)
if(NOT WIN32)
    list(APPEND _brelvik_process_tests test_process_posix.cpp)
endif()
brelvik_test(test_process LABEL platform SOURCES ${_brelvik_process_tests}
             LIBS brelvik_platform brelvik_packing)
add_dependencies(test_process brelvik_process_recorder)
if(WIN32)
    # The packers it starts open console windows, which take the focus from a window under test.
    set_tests_properties(test_process PROPERTIES RESOURCE_LOCK display)
endif()

# Real faults while saving and starting a packer: read-only folders and full disks made with
# mounts, files and folders deleted meanwhile, packer entries that point nowhere.
if(NOT WIN32)
    brelvik_test(test_faults_saving LABEL fault SOURCES test_faults_saving.cpp
                 LIBS brelvik_platform brelvik_addonlist brelvik_info brelvik_test_support)
    brelvik_test(test_faults_packer LABEL fault SOURCES test_faults_packer.cpp
                 LIBS brelvik_platform brelvik_packing)
endif()
