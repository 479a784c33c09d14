#pragma once

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/codepage.h"

namespace brelvik::fuzz {

// A broken property is a crash for libFuzzer: it keeps the input that broke it.
inline void Require(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", property);
        std::abort();
    }
}

inline std::string_view Bytes(const unsigned char* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Text as the program reads it from a file: one byte a character, Windows-1252.
inline std::wstring Text(const unsigned char* data, std::size_t size) {
    return From_ansi(Bytes(data, size));
}

// The text's pieces between NUL characters, the way a target reads several values from one
// input; a text without NUL is one piece.
inline std::vector<std::wstring> Pieces(const std::wstring& text) {
    std::vector<std::wstring> pieces;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find(L'\0', start), text.size());
        pieces.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return pieces;
}

}  // namespace brelvik::fuzz
