// Draws the window as it looks after an add-on was selected and saves the picture; run on
// Qt's offscreen platform by scripts/screenshot.sh. A second argument picks the tab in front.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

#include "app/qt/qt_window.h"
#include "platform/desktop_qt.h"
#include "platform/files.h"
#include "platform/regaccess.h"

namespace {

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(bytes);
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: brelvik_screenshot picture.png [tab]\n");
        return 2;
    }
    QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/Addons-XXXXXX"));
    Write(folder.filePath(QStringLiteral("jeep.pbo")), {});
    Write(folder.filePath(QStringLiteral("tank.pbo")), {});
    Write(folder.filePath(QStringLiteral("tank.txt")),
          "Drives well on sand.\r\n\r\n=====================================================\r\n"
          "DIZUV Information\r\n/x/unitsTank T-80\r\n/x/infoHeavy tank, crew of three\r\n"
          "/x/commentPart of the desert pack\r\n/x/authorSomeone\r\n/x/version1.0"
          "/x/reqversion1.9");
    brelvik::RegAccess registry(folder.filePath(QStringLiteral("registry.reg")).toStdWString());
    brelvik::FileAccess files;
    brelvik::QtDesktop desktop;
    brelvik::QtWindow window(registry, files, desktop);
    window.Dir1->Set_path(folder.path().toStdWString());
    window.show();
    window.SSTab1->Bar()->setCurrentIndex(argc > 2 ? std::atoi(argv[2]) : 0);
    window.File1->setCurrentIndex(window.File1->model()->index(1, 0));  // as a click on tank.pbo
    QApplication::processEvents();
    return window.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
