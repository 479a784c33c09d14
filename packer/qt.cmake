# The program with its Qt report window. A link named wzzip.exe beside it lets the WinZip
# command line reach it through the folder of the WinZip entry. Installed, both lie in the
# private folder: they are started by the window, not by the user.
include(GNUInstallDirs)
add_executable(brelvik-pack main_qt.cpp report_window_qt.cpp)
target_link_libraries(brelvik-pack PRIVATE brelvik_packer brelvik_desktop_qt Qt6::Widgets)
set_target_properties(brelvik-pack PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
add_custom_command(TARGET brelvik-pack POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E create_symlink brelvik-pack wzzip.exe
    WORKING_DIRECTORY $<TARGET_FILE_DIR:brelvik-pack>
    COMMENT "Linking wzzip.exe to brelvik-pack")

install(TARGETS brelvik-pack RUNTIME DESTINATION ${BRELVIK_PRIVATE_DIR})
file(CREATE_LINK brelvik-pack ${CMAKE_CURRENT_BINARY_DIR}/wzzip.exe SYMBOLIC)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/wzzip.exe DESTINATION ${BRELVIK_PRIVATE_DIR})
