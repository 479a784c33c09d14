# The registry (or the settings store that stands in for it), files and code page, process
# start. Each OS part lives in a file with the _win or _posix suffix.
if(WIN32)
    set(_brelvik_os win)
else()
    set(_brelvik_os posix)
endif()

add_library(brelvik_platform STATIC
    platform_error.cpp platform_error_${_brelvik_os}.cpp
    codepage_utf8.cpp codepage_${_brelvik_os}.cpp textfile_encoding.cpp
    files.cpp files_${_brelvik_os}.cpp
    commandline.cpp process_${_brelvik_os}.cpp
    about.cpp session.cpp
    regaccess.cpp regaccess_${_brelvik_os}.cpp
    standin_packer_${_brelvik_os}.cpp)
# The file replacement that the stand-in packer's archives (and, off Windows, saves) go
# through, and its members' files.
target_sources(brelvik_platform PRIVATE replacement_${_brelvik_os}.cpp
               memberfile_${_brelvik_os}.cpp)
if(NOT WIN32)
    # A pure parser and writer of the store's text, callable on its own.
    target_sources(brelvik_platform PRIVATE settings_store.cpp settings_store_lookup.cpp)
endif()
target_link_libraries(brelvik_platform PUBLIC brelvik_options)
if(WIN32)
    target_link_libraries(brelvik_platform PUBLIC advapi32)
endif()
