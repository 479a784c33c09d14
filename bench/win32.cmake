# The Windows start-up benchmark's baseline, built as brelvik.exe is; bench/bench_win32_startup.sh
# times both under Wine.
include(${PROJECT_SOURCE_DIR}/app/win32/resources.cmake)
add_executable(bench_win32_bare win32_bare_window.cpp)
target_link_libraries(bench_win32_bare PRIVATE comctl32)
target_link_options(bench_win32_bare PRIVATE -municode)
brelvik_windows_resources(bench_win32_bare)
