#include <QApplication>

#include "app/qt/qt_window.h"
#include "platform/desktop_qt.h"
#include "platform/files.h"
#include "platform/regaccess.h"
#include "platform/standin_packer.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brelvik"));
    brelvik::RegAccess registry;
    brelvik::Offer_standin_packer(brelvik::Default_store_path(),
                                  QApplication::applicationDirPath().toStdString());
    brelvik::FileAccess files;
    brelvik::QtDesktop desktop;
    brelvik::QtWindow window(registry, files, desktop);
    desktop.Set_window(&window);
    window.show();
    return QApplication::exec();
}
