#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <filesystem>
#include <utility>

#include "tests/process_recorder.h"

namespace brelvik::test {

Received Received_by(int, char**) {
    Received received;
    STARTUPINFOW startup{};
    GetStartupInfoW(&startup);
    if (startup.dwFlags & STARTF_USESHOWWINDOW) {
        received.showWindow = startup.wShowWindow;
    }
    DWORD attached[4];
    received.consoleProcesses = static_cast<int>(GetConsoleProcessList(attached, 4));
    received.commandLine = GetCommandLineW();
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(received.commandLine.c_str(), &count);
    for (int i = 0; i < count; ++i) {
        received.arguments.push_back(arguments[i]);
    }
    LocalFree(arguments);
    return received;
}

std::wstring Recorder_path() {
    std::wstring self(MAX_PATH, L'\0');
    self.resize(GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
    return (std::filesystem::path(self).parent_path() / L"brelvik_process_recorder.exe").wstring();
}

// The line as composed, word for word, a window shown minimised and a console of its own.
Received Expected_received(const std::wstring& startedLine, std::vector<std::wstring> arguments) {
    return {SW_SHOWMINIMIZED, 1, startedLine, std::move(arguments)};
}

}  // namespace brelvik::test
