#pragma once

#include <string>
#include <string_view>

namespace brelvik {

// Switches and archive extensions compare without regard to the case of ASCII letters, as they
// do in the packers' own command lines. (Stored names compare as a Windows folder compares them:
// Same_name_key.)
inline std::wstring Ascii_folded(std::wstring_view text) {
    std::wstring folded(text);
    for (wchar_t& c : folded) {
        if (c >= L'A' && c <= L'Z') {
            c = static_cast<wchar_t>(c - L'A' + L'a');
        }
    }
    return folded;
}

}  // namespace brelvik
