# Drives and folder listing for the browser lists, and the order the lists sort by.
target_sources(brelvik_platform PRIVATE folders.cpp collation.cpp)
if(WIN32)
    target_sources(brelvik_platform PRIVATE folders_win.cpp collation_win.cpp)
else()
    target_sources(brelvik_platform PRIVATE folders_posix.cpp collation_posix.cpp)
    # The user's language's order comes from ICU's collation, as the desktop's own lists take it.
    find_package(ICU REQUIRED COMPONENTS i18n uc)
    target_link_libraries(brelvik_platform PRIVATE ICU::i18n ICU::uc)
endif()
