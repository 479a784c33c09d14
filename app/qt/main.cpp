#include <QApplication>
#include <cstdlib>

#include "app/qt/application_qt.h"
#include "app/qt/desktop_qt.h"
#include "app/qt/qt_window.h"
#include "packing/packerentry.h"
#include "platform/about.h"
#include "platform/files.h"
#include "platform/regaccess.h"
#include "platform/session.h"
#include "platform/standin_packer.h"

namespace {

constexpr char kUsage[] =
    "Usage: brelvik [--help | --version]\n"
    "Edits the info files of Veldrun add-ons, gathers them into Addonlists and packs them.\n"
    "Needs a graphical session (X11 or Wayland). Settings: $XDG_CONFIG_HOME/brelvik/registry.reg\n"
    "or ~/.config/brelvik/registry.reg.\n";

}  // namespace

int main(int argc, char* argv[]) {
    if (const auto code = brelvik::Answer_about_request(argc, argv, "brelvik", kUsage)) {
        return *code;
    }
    if (brelvik::Report_missing_display("brelvik", &std::getenv)) {
        return 1;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brelvik"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.brelvik.Brelvik"));
    brelvik::Set_up_application(application);
    brelvik::RegAccess registry;
    brelvik::Offer_standin_packer(brelvik::Default_store_path(),
                                  QApplication::applicationDirPath().toStdString(),
                                  brelvik::Packer_program);
    brelvik::FileAccess files;
    brelvik::QtDesktop desktop;
    brelvik::QtWindow window(registry, files, desktop);
    desktop.Set_window(&window);
    window.show();
    return QApplication::exec();
}
