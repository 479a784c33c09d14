# brelvik-pack.exe with its Win32 report window, shipped beside brelvik.exe, whose window starts
# it with WinZip's command line where no WinZip packer is registered.
add_executable(brelvik-pack main_win.cpp report_window_win.cpp)
target_link_libraries(brelvik-pack PRIVATE brelvik_packer brelvik_win32_look comctl32 gdi32 user32)
target_link_options(brelvik-pack PRIVATE -municode)
set_target_properties(brelvik-pack PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
include(${PROJECT_SOURCE_DIR}/app/win32/resources.cmake)
brelvik_windows_resources(brelvik-pack)
install(TARGETS brelvik-pack RUNTIME DESTINATION bin)
