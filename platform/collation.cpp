#include "platform/collation.h"

#include <cstdint>
#include <cwctype>

namespace brelvik {
namespace {

std::string& Chosen_locale() {
    static std::string chosen;
    return chosen;
}

// Names the collation holds equal yet are not (a hyphen it passes over, say) keep one order:
// that of their characters, letter case ignored, each as UTF-8's bytes, which keep the order of
// the numbers they encode, lone surrogates included.
void Append_code_points(std::string& key, std::wstring_view text) {
    static constexpr unsigned char kLead[] = {0, 0xC0, 0xE0, 0xF0};
    for (const wchar_t c : text) {
        if (c < 0x80) {
            key += static_cast<char>(c >= L'A' && c <= L'Z' ? c + (L'a' - L'A') : c);
            continue;
        }
        const auto code = static_cast<std::uint32_t>(std::towlower(static_cast<wint_t>(c)));
        const int extra = code < 0x800 ? 1 : code < 0x10000 ? 2 : 3;
        key += static_cast<char>(kLead[extra] | (code >> (6 * extra)));
        for (int shift = 6 * (extra - 1); shift >= 0; shift -= 6) {
            key += static_cast<char>(0x80 | ((code >> shift) & 0x3F));
        }
    }
}

}  // namespace

std::string Sort_key(std::wstring_view text) {
    std::string key;
    Append_sort_key(key, text);
    return key;
}

void Append_sort_key(std::string& out, std::wstring_view text) {
    Append_collation_key(out, text, Chosen_locale());
    Append_code_points(out, text);
}

void Use_collation_locale(const std::string& name) {
    Chosen_locale() = name;
}

}  // namespace brelvik
