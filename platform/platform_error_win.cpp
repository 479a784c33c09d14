#include <windows.h>

#include "platform/platform_error.h"

namespace brelvik {

std::wstring System_error_text(int code) {
    wchar_t* text = nullptr;
    const DWORD flags =
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
    const DWORD length = FormatMessageW(flags, nullptr, static_cast<DWORD>(code), 0,
                                        reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = length > 0 ? std::wstring(text, length) : std::wstring();
    LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r')) {
        message.pop_back();
    }
    return message.empty() ? L"Error " + std::to_wstring(code) : message;
}

PlatformError Last_error(const std::wstring& path) {
    return PlatformError(System_error_text(static_cast<int>(GetLastError())), path);
}

}  // namespace brelvik
