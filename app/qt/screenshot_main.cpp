// Draws the window's four tabs as they look after an add-on was selected and put on the
// Addonlist, and saves the pictures into the given folder; run on Qt's offscreen platform by
// scripts/screenshot.sh. The add-ons lie in a folder of fixed name, so the pictures change only
// when the window does.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <cstdio>

#include "app/qt/desktop_qt.h"
#include "app/qt/qt_window.h"
#include "platform/files.h"
#include "platform/regaccess.h"

namespace {

const char* const kPictures[] = {"window.png", "window-readme.png", "window-addonlist.png",
                                 "window-pack.png"};

bool Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool Write_addons(const QDir& folder) {
    return Write(folder.filePath(QStringLiteral("jeep.pbo")), {}) &&
           Write(folder.filePath(QStringLiteral("tank.pbo")), {}) &&
           Write(folder.filePath(QStringLiteral("tank.txt")),
                 "Drives well on sand.\r\n\r\n"
                 "=====================================================\r\n"
                 "DIZUV Information\r\n/x/unitsTank T-80\r\n/x/infoHeavy tank, crew of three\r\n"
                 "/x/commentPart of the desert pack\r\n/x/authorSomeone\r\n/x/version1.0"
                 "/x/reqversion1.9") &&
           Write(folder.filePath(QStringLiteral("registry.reg")),
                 "Windows Registry Editor Version 5.00\n\n"
                 "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Quorvane\\Veldrun]\n\n"
                 "[HKEY_CLASSES_ROOT\\WinRAR\\DefaultIcon]\n@=\"/usr/libexec/brelvik/"
                 "brelvik-pack,0\"\n\n"
                 "[HKEY_CLASSES_ROOT\\WinZip\\DefaultIcon]\n@=\"/usr/libexec/brelvik/"
                 "brelvik-pack,0\"\n");
}

bool Draw_tabs(const QDir& addons, const QDir& pictures) {
    brelvik::RegAccess registry(addons.filePath(QStringLiteral("registry.reg")).toStdWString());
    brelvik::FileAccess files;
    brelvik::QtDesktop desktop;
    brelvik::QtWindow window(registry, files, desktop);
    window.Dir1->Set_path(addons.path().toStdWString());
    window.show();
    window.File1->setCurrentIndex(window.File1->model()->index(1, 0));  // as a click on tank.pbo
    window.File1->onDblClick();
    bool saved = true;
    for (int tab = 0; tab < 4; ++tab) {
        window.SSTab1->Bar()->setCurrentIndex(tab);
        QApplication::processEvents();
        saved = window.grab().save(pictures.filePath(QString::fromLatin1(kPictures[tab]))) && saved;
    }
    return saved;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: brelvik_screenshot picture-folder\n");
        return 2;
    }
    const QDir addons(QDir::temp().filePath(QStringLiteral("Addons")));
    if (!QDir::temp().mkdir(QStringLiteral("Addons"))) {
        std::fprintf(stderr, "brelvik_screenshot: cannot make %s; is it left from a run?\n",
                     qPrintable(addons.path()));
        return 1;
    }
    const bool drawn =
        Write_addons(addons) && Draw_tabs(addons, QDir(QString::fromLocal8Bit(argv[1])));
    QDir(addons).removeRecursively();
    return drawn ? 0 : 1;
}
