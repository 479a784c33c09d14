#include <windows.h>

#include "platform/platform_error.h"
#include "platform/process.h"

namespace brelvik {

// The command line goes to the program as composed; the window opens minimised with the
// focus. Neither handle is kept: the program is never waited for.
void Start_process(const std::wstring& commandLine) {
    std::wstring line = commandLine;  // CreateProcessW may write into its buffer
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMINIMIZED;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        throw Last_error(commandLine);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

}  // namespace brelvik
