#include <windows.h>

#include "platform/codepage.h"

namespace brelvik {

// The system's ANSI code page. No best-fit mapping: a character the code page cannot hold
// becomes "?", never a look-alike. Where the ANSI code page is UTF-8 every character has bytes,
// and that code page refuses both the flag and the replacement character.
std::string To_ansi(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const bool utf8 = GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const char* replacement = utf8 ? nullptr : "?";
    const int length = static_cast<int>(text.size());
    const int size =
        WideCharToMultiByte(CP_ACP, flags, text.data(), length, nullptr, 0, replacement, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, flags, text.data(), length, bytes.data(), size, replacement,
                        nullptr);
    return bytes;
}

std::wstring From_ansi(std::string_view bytes) {
    if (bytes.empty()) {
        return {};
    }
    const int length = static_cast<int>(bytes.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, text.data(), size);
    return text;
}

bool Fits_ansi(std::wstring_view text) {
    if (text.empty() || GetACP() == CP_UTF8) {
        return true;
    }
    BOOL lost = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                        nullptr, 0, nullptr, &lost);
    return !lost;
}

std::optional<std::wstring> Unlistable_because(std::wstring_view path) {
    if (Fits_ansi(path)) {
        return std::nullopt;
    }
    return L"The system's code page cannot hold this path";
}

std::string List_bytes(std::wstring_view text) {
    return To_ansi(text);
}

std::wstring Decode_list_text(std::string_view bytes) {
    return From_ansi(bytes);
}

std::wstring Path_text(const std::filesystem::path& path) {
    return path.wstring();
}

}  // namespace brelvik
