# The Win32 window driven by window messages under Wine: it needs a display (Xvfb). "Pack it"
# starts the recorder of the platform tests as WinZip's packer.
brelvik_test(test_win32_window SOURCES test_win32_window.cpp process_recorder_win.cpp
             LIBS brelvik_window_win32 shell32)
add_dependencies(test_win32_window brelvik_process_recorder)
