# A program built as brelvik.exe is, run under Wine on the virtual display that
# scripts/test-windows.sh provides.
include(${PROJECT_SOURCE_DIR}/app/win32/resources.cmake)
brelvik_test(test_win32_program SOURCES test_win32_program.cpp LIBS version)
brelvik_windows_resources(test_win32_program)
target_compile_definitions(test_win32_program PRIVATE
    BRELVIK_VERSION="${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}")
if(TARGET brelvik_window_win32)
    # The Win32 window driven by window messages under Wine: it needs a display (Xvfb). "Pack it"
    # starts the recorder of the platform tests as WinZip's packer.
    brelvik_test(test_win32_window SOURCES test_win32_window.cpp process_recorder_win.cpp
                 LIBS brelvik_window_win32 shell32)
    add_dependencies(test_win32_window brelvik_process_recorder)
    # Where the build makes the program's own packer, a release is packed with it for real.
    if(TARGET brelvik-pack)
        target_compile_definitions(test_win32_window
                                   PRIVATE BRELVIK_PACK_PROGRAM="$<TARGET_FILE:brelvik-pack>")
        add_dependencies(test_win32_window brelvik-pack)
    endif()
    # Two windows on one display would take the focus from each other (see test_process).
    set_tests_properties(test_win32_window PROPERTIES RESOURCE_LOCK display)
endif()
set_tests_properties(test_win32_program PROPERTIES RESOURCE_LOCK display)
