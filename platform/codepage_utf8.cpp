#include <algorithm>

#include "platform/codepage.h"

namespace brelvik {

namespace {

constexpr char32_t kReplacement = 0xFFFD;
// Bytes 0x80..0xFF that are no part of UTF-8 stand as the lone surrogates U+DC80..U+DCFF.
constexpr char32_t kEscapedBytes = 0xDC00;

bool Is_surrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}

bool Is_escaped_byte(char32_t c) {
    return c >= kEscapedBytes + 0x80 && c <= kEscapedBytes + 0xFF;
}

void Append_utf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// wchar_t holds UTF-16 on Windows and UTF-32 elsewhere.
void Append_wide(std::wstring& out, char32_t c) {
    if constexpr (sizeof(wchar_t) == 2) {
        if (c >= 0x10000) {
            c -= 0x10000;
            out += static_cast<wchar_t>(0xD800 + (c >> 10));
            out += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
            return;
        }
    }
    out += static_cast<wchar_t>(c);
}

// Reads the code point at pos (UTF-16 pairs joined), moving pos behind it.
char32_t Next_code_point(std::wstring_view text, std::size_t& pos) {
    char32_t c = static_cast<char32_t>(text[pos++]);
    if constexpr (sizeof(wchar_t) == 2) {
        if (c >= 0xD800 && c <= 0xDBFF && pos < text.size()) {
            const char32_t low = static_cast<char16_t>(text[pos]);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                ++pos;
                return 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
            }
        }
    }
    return Is_surrogate(c) || c > 0x10FFFF ? kReplacement : c;
}

// Decodes the sequence at pos; nothing when it is not well-formed (overlong forms, surrogates
// and code points past U+10FFFF included).
std::optional<char32_t> Decode_one(std::string_view bytes, std::size_t& pos) {
    const unsigned char lead = static_cast<unsigned char>(bytes[pos++]);
    if (lead < 0x80) {
        return lead;
    }
    std::size_t extra = 0;
    char32_t c = 0;
    char32_t least = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1, c = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, c = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, c = lead & 0x07, least = 0x10000;
    } else {
        return std::nullopt;
    }
    for (; extra > 0; --extra) {
        if (pos >= bytes.size() || (static_cast<unsigned char>(bytes[pos]) & 0xC0) != 0x80) {
            return std::nullopt;
        }
        c = (c << 6) | (static_cast<unsigned char>(bytes[pos++]) & 0x3F);
    }
    if (c < least || c > 0x10FFFF || Is_surrogate(c)) {
        return std::nullopt;
    }
    return c;
}

}  // namespace

std::string To_utf8(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        Append_utf8(out, Next_code_point(text, pos));
    }
    return out;
}

std::string To_utf16le(std::wstring_view text) {
    std::string out;
    out.reserve(2 * text.size());
    const auto append = [&out](char32_t unit) {
        out += static_cast<char>(unit & 0xFF);
        out += static_cast<char>(unit >> 8);
    };
    for (std::size_t pos = 0; pos < text.size();) {
        if (Is_escaped_byte(text[pos])) {
            append(static_cast<char32_t>(text[pos++]));
            continue;
        }
        char32_t c = Next_code_point(text, pos);
        if (c >= 0x10000) {
            c -= 0x10000;
            append(0xD800 + (c >> 10));
            c = 0xDC00 + (c & 0x3FF);
        }
        append(c);
    }
    return out;
}

std::optional<std::wstring> From_utf16le(std::string_view bytes) {
    if (bytes.size() % 2 != 0) {
        return std::nullopt;
    }
    const auto unit = [bytes](std::size_t index) {
        return static_cast<char32_t>(static_cast<unsigned char>(bytes[2 * index]) |
                                     static_cast<unsigned char>(bytes[2 * index + 1]) << 8);
    };
    std::wstring out;
    out.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i < bytes.size() / 2; ++i) {
        char32_t c = unit(i);
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < bytes.size() / 2 && unit(i + 1) >= 0xDC00 &&
            unit(i + 1) <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unit(++i) - 0xDC00);
        } else if (Is_surrogate(c) && !Is_escaped_byte(c)) {
            return std::nullopt;
        }
        Append_wide(out, c);
    }
    return out;
}

std::string To_native(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const auto unit = static_cast<char32_t>(text[pos]);
        if (Is_escaped_byte(unit)) {
            out += static_cast<char>(unit - kEscapedBytes);
            ++pos;
            continue;
        }
        Append_utf8(out, Next_code_point(text, pos));
    }
    return out;
}

std::wstring From_native(std::string_view bytes) {
    // Names are mostly ASCII, which widens byte for byte; a folder lists thousands of them.
    const auto ascii = std::find_if(bytes.begin(), bytes.end(), [](char byte) {
        return static_cast<unsigned char>(byte) >= 0x80;
    });
    std::wstring out(bytes.begin(), ascii);
    out.reserve(bytes.size());
    for (std::size_t pos = out.size(); pos < bytes.size();) {
        const std::size_t start = pos;
        if (const std::optional<char32_t> c = Decode_one(bytes, pos)) {
            Append_wide(out, *c);
        } else {
            pos = start + 1;
            out += static_cast<wchar_t>(kEscapedBytes + static_cast<unsigned char>(bytes[start]));
        }
    }
    return out;
}

std::optional<std::wstring> From_utf8(std::string_view bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::optional<char32_t> c = Decode_one(bytes, pos);
        if (!c) {
            return std::nullopt;
        }
        Append_wide(out, *c);
    }
    return out;
}

}  // namespace brelvik
