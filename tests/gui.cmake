# Tests of the gui units: the window on Qt's offscreen platform.
foreach(unit layout browser roundtrip open)
    brelvik_test(test_window_${unit} LABEL window
        SOURCES test_window_${unit}.cpp test_window_main.cpp
        LIBS brelvik_window_qt brelvik_test_support Qt6::Test)
    set_tests_properties(test_window_${unit} PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
endforeach()
brelvik_test(test_window_folders LABEL window SOURCES test_window_folders.cpp
             LIBS brelvik_desktop_qt)
# "Pack it" starts the recorder of the platform tests as a real packer once.
brelvik_test(test_window_pack LABEL window
             SOURCES test_window_pack.cpp test_window_main.cpp process_recorder_${_brelvik_os}.cpp
             LIBS brelvik_window_qt brelvik_test_support Qt6::Test)
set_tests_properties(test_window_pack PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
add_dependencies(test_window_pack brelvik_process_recorder)
# "Pack it" from end to end: the built stand-in archiver is started for real as both packers.
find_package(LibArchive REQUIRED)
brelvik_test(test_window_packing LABEL window
             SOURCES test_window_packing.cpp test_window_main.cpp
             LIBS brelvik_window_qt brelvik_test_support Qt6::Test LibArchive::LibArchive)
target_compile_definitions(test_window_packing
                           PRIVATE BRELVIK_PACK_PROGRAM="$<TARGET_FILE:brelvik-pack>")
set_tests_properties(test_window_packing
                     PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;BRELVIK_PACK_NO_WINDOW=1")
add_dependencies(test_window_packing brelvik-pack)
# Real faults met through the window: read-only folders and full disks made with mounts,
# files, folders and volumes that vanish, oversized info files, packers that cannot start.
if(NOT WIN32)
    brelvik_test(test_window_faults LABEL fault
                 SOURCES test_window_faults.cpp test_window_main.cpp
                 LIBS brelvik_window_qt brelvik_test_support Qt6::Test)
    set_tests_properties(test_window_faults PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
endif()
# The Qt side of the platform: the save dialog's suffix, Qt's translations and the icon.
brelvik_test(test_desktop_qt LABEL window SOURCES test_desktop_qt.cpp test_window_main.cpp
             LIBS brelvik_desktop_qt brelvik_test_support)
# The picture script draws the window's tabs with the program it builds.
add_test(NAME test_screenshot
         COMMAND ${PROJECT_SOURCE_DIR}/scripts/screenshot.sh --build ${PROJECT_BINARY_DIR})
brelvik_test_label(test_screenshot window)
# What a screen reader hears: the program on a virtual display of its own, read over a private
# accessibility bus.
add_test(NAME test_screen_reader
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/screen_reader/screen_reader.sh $<TARGET_FILE:brelvik>)
brelvik_test_label(test_screen_reader window)
