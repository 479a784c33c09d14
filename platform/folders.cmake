# Drives and folder listing for the browser lists.
target_sources(brelvik_platform PRIVATE folders.cpp)
if(WIN32)
    target_sources(brelvik_platform PRIVATE folders_win.cpp)
else()
    target_sources(brelvik_platform PRIVATE folders_posix.cpp)
endif()
