#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/arguments.h"
#include "app/qt/application_qt.h"
#include "app/qt/desktop_qt.h"
#include "app/qt/qt_window.h"
#include "packing/packerentry.h"
#include "platform/about.h"
#include "platform/codepage.h"
#include "platform/commandline.h"
#include "platform/files.h"
#include "platform/regaccess.h"
#include "platform/session.h"
#include "platform/standin_packer.h"

namespace {

constexpr char kUsageLine[] =
    "Usage: brelvik [--help | --version | LIST.txta | FOLDER | ADDON.pbo]\n";
constexpr char kAbout[] =
    "Edits the info files of Veldrun add-ons, gathers them into Addonlists and packs them.\n"
    "Needs a graphical session (X11 or Wayland). Settings: $XDG_CONFIG_HOME/brelvik/registry.reg\n"
    "or ~/.config/brelvik/registry.reg.\n"
    "Opens the Addonlist, folder or add-on named, after the folder of the last Exit.\n";

}  // namespace

int main(int argc, char* argv[]) {
    if (const auto code = brelvik::Answer_about_request(argc, argv, "brelvik",
                                                        std::string(kUsageLine) + kAbout)) {
        return *code;
    }
    const brelvik::StartArguments start =
        brelvik::Read_start_arguments(brelvik::Program_arguments(argc, argv));
    if (!start.wrong.empty()) {
        std::fprintf(stderr, "brelvik: %s\n%s", brelvik::To_native(start.wrong).c_str(),
                     kUsageLine);
        return 2;
    }
    if (brelvik::Report_missing_display("brelvik", &std::getenv)) {
        return 1;
    }
    // Qt gets no arguments: it would take some of them, paths after "--" too, as its own options.
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
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
    if (!start.path.empty()) {
        window.Procedures().Open_start_path(start.path);
    }
    return QApplication::exec();
}
