# The Windows cross build as a 64-bit program: for running the tests under Wine where the
# kernel runs no 32-bit programs. What ships is the 32-bit build of mingw-w64.cmake.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
