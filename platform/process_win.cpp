#include <windows.h>

#include "platform/platform_error.h"
#include "platform/process.h"

namespace brelvik {

// The command line goes to the program as composed; the window opens minimised with the
// focus. A console packer (wzzip.exe) gets a console of its own, as it does when a GUI program
// starts it, rather than writing into one this program may have been started from. Neither
// handle is kept: the program is never waited for.
void Start_process(const std::wstring& commandLine) {
    std::wstring line = commandLine;  // CreateProcessW may write into its buffer
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMINIMIZED;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE, nullptr,
                        nullptr, &startup, &process)) {
        throw Last_error(commandLine);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

}  // namespace brelvik
