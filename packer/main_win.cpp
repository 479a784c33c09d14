// brelvik-pack.exe: shipped beside brelvik.exe, whose window starts it with WinZip's command
// line where no WinZip packer is registered. A program of the GUI subsystem: it reports in a
// window of its own, or on standard error when BRELVIK_PACK_NO_WINDOW asks for that.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "packer/reporter.h"
#include "packer/reportmode.h"
#include "platform/about.h"
#include "platform/codepage.h"
#include "platform/commandline.h"

namespace {

// Started from a console, the program has none of its own: its texts go to its starter's.
void Use_starters_console() {
    if (GetStdHandle(STD_ERROR_HANDLE) == nullptr && AttachConsole(ATTACH_PARENT_PROCESS)) {
        std::freopen("CONOUT$", "w", stdout);
        std::freopen("CONOUT$", "w", stderr);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    Use_starters_console();
    // The command line as the system holds it: no code page stands between a name and the file.
    const std::vector<std::wstring> arguments = brelvik::Program_arguments(GetCommandLineW());
    if (arguments.size() == 1) {
        const std::string request = brelvik::To_utf8(arguments[0]);
        const char* const argv[] = {"brelvik-pack", request.c_str()};
        if (const auto code =
                brelvik::Answer_about_request(2, argv, "brelvik-pack", brelvik::kPackUsage)) {
            return *code;
        }
    }
    const brelvik::PackStart start = brelvik::Pack_start(arguments);
    if (brelvik::Window_declined(&std::getenv)) {
        return brelvik::Pack_to_stderr(start.task);
    }
    return brelvik::Pack_in_window(start.task, start.archive);
}
