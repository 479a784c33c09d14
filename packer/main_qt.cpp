// brelvik-pack: stands in for the two packers where they are not installed, taking their
// command lines as they are and writing zip archives. Started as wzzip.exe through a link, it
// recognises that packer's form by the arguments.

#include <QApplication>
#include <QString>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/qt/application_qt.h"
#include "packer/reporter.h"
#include "packer/reportmode.h"
#include "platform/about.h"
#include "platform/codepage.h"

namespace {

// Started as wzzip.exe, the window would otherwise carry that name as its window class (X11)
// and app id (Wayland), and the desktop would not know it as this program.
void Name_windows_brelvik_pack() {
    qputenv("RESOURCE_NAME", "brelvik-pack");
    QGuiApplication::setDesktopFileName(QStringLiteral("brelvik-pack"));
}

}  // namespace

int main(int argc, char** argv) {
    if (const auto code =
            brelvik::Answer_about_request(argc, argv, "brelvik-pack", brelvik::kPackUsage)) {
        return *code;
    }
    std::vector<std::wstring> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.push_back(brelvik::From_native(argv[i]));  // every byte kept
    }
    const brelvik::PackStart start = brelvik::Pack_start(arguments);
    if (brelvik::Report_in_window(&std::getenv)) {
        Name_windows_brelvik_pack();
        QApplication application(argc, argv);  // sets the user's locale, so ours comes after
        QApplication::setApplicationName(QStringLiteral("brelvik-pack"));
        brelvik::Set_up_application(application);
        return brelvik::Pack_in_window(start.task, start.archive);
    }
    return brelvik::Pack_to_stderr(start.task);
}
