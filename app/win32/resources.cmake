# brelvik_windows_resources(target): makes a Windows program of the target as it ships: the
# icon (when data/icons/brelvik.ico exists at configure time), version information from the
# project version and the application manifest as resources; a GUI program, so no console
# opens beside the window; the C and C++ runtimes linked in, so no DLL is shipped with it.
set(_brelvik_win32_dir ${CMAKE_CURRENT_LIST_DIR})

function(brelvik_windows_resources target)
    set(BRELVIK_NAME ${target})
    set(BRELVIK_WIN32_DIR ${_brelvik_win32_dir})
    set(BRELVIK_MANIFEST ${_brelvik_win32_dir}/brelvik.exe.manifest)
    set(icon ${PROJECT_SOURCE_DIR}/data/icons/brelvik.ico)
    if(EXISTS ${icon})
        set(BRELVIK_ICON_LINE "BRELVIK_ICON_ID ICON \"${icon}\"")
    else()
        set(BRELVIK_ICON_LINE "")
        set(icon "")
    endif()
    # The four numbers of FILEVERSION; the project names only the first two.
    set(numbers "")
    foreach(part MAJOR MINOR PATCH TWEAK)
        if(PROJECT_VERSION_${part} STREQUAL "")
            list(APPEND numbers 0)
        else()
            list(APPEND numbers ${PROJECT_VERSION_${part}})
        endif()
    endforeach()
    list(JOIN numbers "," BRELVIK_VERSION_COMMAS)

    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
    configure_file(${_brelvik_win32_dir}/brelvik.rc.in ${rc} @ONLY)
    # windres reads the manifest and the icon itself; a change to either rebuilds the resources.
    set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${BRELVIK_MANIFEST};${icon}")
    target_sources(${target} PRIVATE ${rc})
    set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE ON)
    # Shipped stripped: the symbols would double its size.
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++
                        $<$<CONFIG:Release>:-s>)
endfunction()
