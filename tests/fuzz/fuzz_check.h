#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

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

}  // namespace brelvik::fuzz
