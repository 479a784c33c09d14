#include <windows.h>

#include "app/win32/win32_desktop.h"
#include "app/win32/win32_window.h"
#include "platform/files.h"
#include "platform/platform_error.h"
#include "platform/regaccess.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    brelvik::RegAccess registry;
    brelvik::FileAccess files;
    brelvik::Win32Desktop desktop;
    try {
        brelvik::Win32Window window(registry, files, desktop);
        desktop.Set_owner(window.Handle());
        window.Show(showCommand);
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
