#include <QApplication>

#include "app/addoninfo.h"
#include "platform/desktop_qt.h"
#include "platform/files.h"
#include "platform/regaccess.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brelvik"));
    brelvik::RegAccess registry;
    brelvik::FileAccess files;
    brelvik::QtDesktop desktop;
    brelvik::AddonInfo window(registry, files, desktop);
    desktop.Set_window(&window);
    window.show();
    return QApplication::exec();
}
