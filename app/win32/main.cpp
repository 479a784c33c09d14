#include <windows.h>

#include <string>

#include "app/arguments.h"
#include "app/win32/win32_desktop.h"
#include "app/win32/win32_window.h"
#include "platform/codepage.h"
#include "platform/commandline.h"
#include "platform/files.h"
#include "platform/platform_error.h"
#include "platform/regaccess.h"

namespace {

const std::wstring kUsageLine = L"Usage: brelvik [LIST.txta | FOLDER | ADDON.pbo]\n";

// A program without a console has a standard error only when its starter gave it one; without
// it the message box says why it does not start.
void Report_wrong_arguments(const std::wstring& why, brelvik::Desktop& desktop) {
    const std::wstring text = L"brelvik: " + why + L"\n" + kUsageLine;
    const std::string bytes = brelvik::To_utf8(text);
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    DWORD written = 0;
    if (error == nullptr || error == INVALID_HANDLE_VALUE ||
        !WriteFile(error, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) {
        desktop.Show_message(text);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    brelvik::Win32Desktop desktop;
    const brelvik::StartArguments start =
        brelvik::Read_start_arguments(brelvik::Program_arguments(GetCommandLineW()));
    if (!start.wrong.empty()) {
        Report_wrong_arguments(start.wrong, desktop);
        return 2;
    }
    brelvik::RegAccess registry;
    brelvik::FileAccess files;
    try {
        brelvik::Win32Window window(registry, files, desktop);
        desktop.Set_owner(window.Handle());
        window.Show(showCommand);
        if (!start.path.empty()) {
            window.Open_start_path(start.path);
        }
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            if (!IsDialogMessageW(window.Handle(), &message)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
        return static_cast<int>(message.wParam);
    } catch (const brelvik::PlatformError& error) {
        // The window could not be built: say why rather than end without a word.
        desktop.Show_message(error.Message());
        return 1;
    }
}
