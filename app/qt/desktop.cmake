# brelvik_desktop_qt: the Qt side of the Desktop interface (message box, file dialogs) and the
# set-up both Qt programs share (the window and brelvik-pack's report): the icon, built in, and
# Qt's own translations.
add_library(brelvik_desktop_qt STATIC desktop_qt.cpp application_qt.cpp)
target_link_libraries(brelvik_desktop_qt PUBLIC brelvik_platform Qt6::Widgets)
set(_brelvik_icon_sizes 16 24 32 48 64 128 256)
list(TRANSFORM _brelvik_icon_sizes REPLACE "(.+)" "${PROJECT_SOURCE_DIR}/data/icons/brelvik-\\1.png"
     OUTPUT_VARIABLE _brelvik_icons)
qt_add_resources(brelvik_desktop_qt brelvik_icons PREFIX /icons
                 BASE ${PROJECT_SOURCE_DIR}/data/icons FILES ${_brelvik_icons})
