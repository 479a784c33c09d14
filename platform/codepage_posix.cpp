#include <algorithm>
#include <array>

#include "platform/codepage.h"

namespace brelvik {

namespace {

// Windows-1252 bytes 0x80..0x9F. The five bytes the code page leaves undefined map to the C1
// control of the same number, as Windows itself does, so that every byte survives a round trip.
constexpr std::array<wchar_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

wchar_t To_wide(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : static_cast<wchar_t>(byte);
}

char To_byte(wchar_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<char>(c);
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == c) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

}  // namespace

std::string To_ansi(std::wstring_view text) {
    std::string bytes(text.size(), '\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        bytes[i] = To_byte(text[i]);
    }
    return bytes;
}

std::wstring From_ansi(std::string_view bytes) {
    std::wstring text(bytes.size(), L'\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        text[i] = To_wide(static_cast<unsigned char>(bytes[i]));
    }
    return text;
}

bool Fits_ansi(std::wstring_view text) {
    for (const wchar_t c : text) {
        if (c != L'?' && To_byte(c) == '?') {
            return false;
        }
    }
    return true;
}

std::optional<std::wstring> Unlistable_because(std::wstring_view path) {
    if (std::none_of(path.begin(), path.end(),
                     [](wchar_t c) { return c >= 0xDC80 && c <= 0xDCFF; })) {
        return std::nullopt;
    }
    return L"This name is not UTF-8, so a list file cannot hold it";
}

std::string List_bytes(std::wstring_view text) {
    return To_native(text);
}

std::wstring Decode_list_text(std::string_view bytes) {
    return From_utf8(bytes).value_or(From_ansi(bytes));
}

std::wstring Path_text(const std::filesystem::path& path) {
    return From_native(path.native());
}

}  // namespace brelvik
