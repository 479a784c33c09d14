# brelvik_platform_qt: the Qt side of the Desktop interface (message box, file dialogs).
add_library(brelvik_platform_qt STATIC desktop_qt.cpp)
target_link_libraries(brelvik_platform_qt PUBLIC brelvik_platform Qt6::Widgets)
