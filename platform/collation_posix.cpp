#include <unicode/ucol.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/collation.h"

namespace brelvik {
namespace {

// The locale the system orders text by: LC_ALL, LC_COLLATE, LANG, as the C library takes them,
// without the encoding and modifier ("de_DE.UTF-8@euro" is "de_DE"); the root order for C.
std::string User_locale() {
    for (const char* variable : {"LC_ALL", "LC_COLLATE", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            const std::string name(value);
            const std::string language = name.substr(0, name.find_first_of(".@"));
            return language == "C" || language == "POSIX" ? std::string() : language;
        }
    }
    return {};
}

struct CollatorClose {
    void operator()(UCollator* collator) const { ucol_close(collator); }
};

// Letter case ignored (the second strength), accents not; spaces and punctuation count only
// where the letters are equal, so "a-c" sorts among the "ac" names, as the system sorts.
std::unique_ptr<UCollator, CollatorClose> Open_collator(const std::string& locale) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UCollator, CollatorClose> collator(ucol_open(locale.c_str(), &status));
    if (U_FAILURE(status)) {
        status = U_ZERO_ERROR;
        collator.reset(ucol_open("", &status));
    }
    ucol_setStrength(collator.get(), UCOL_SECONDARY);
    ucol_setAttribute(collator.get(), UCOL_ALTERNATE_HANDLING, UCOL_SHIFTED, &status);
    return collator;
}

}  // namespace

void Append_collation_key(std::string& out, std::wstring_view text, const std::string& locale) {
    // One collator a thread, opened again only when the locale asked for changes.
    static const std::string user = User_locale();
    const std::string& wanted = locale.empty() ? user : locale;
    thread_local std::string opened;
    thread_local std::unique_ptr<UCollator, CollatorClose> collator;
    if (!collator || opened != wanted) {
        collator = Open_collator(wanted);
        opened = wanted;
    }
    // Names are short: their units and key fit on the stack, and longer ones take the heap.
    constexpr std::size_t kShort = 128;
    UChar shortUnits[kShort];
    std::vector<UChar> longUnits;
    UChar* units = shortUnits;
    if (2 * text.size() > kShort) {
        longUnits.resize(2 * text.size());
        units = longUnits.data();
    }
    std::int32_t count = 0;
    for (const wchar_t c : text) {
        const auto code = static_cast<char32_t>(c);
        if (code >= 0x10000) {
            units[count++] = static_cast<UChar>(0xD7C0 + (code >> 10));
            units[count++] = static_cast<UChar>(0xDC00 + (code & 0x3FF));
        } else {
            units[count++] = static_cast<UChar>(code);
        }
    }
    std::uint8_t shortKey[4 * kShort];
    const std::int32_t size =
        ucol_getSortKey(collator.get(), units, count, shortKey, sizeof shortKey);
    if (size <= static_cast<std::int32_t>(sizeof shortKey)) {
        out.append(reinterpret_cast<const char*>(shortKey), static_cast<std::size_t>(size));
        return;
    }
    const std::size_t start = out.size();
    out.resize(start + static_cast<std::size_t>(size));
    ucol_getSortKey(collator.get(), units, count, reinterpret_cast<std::uint8_t*>(&out[start]),
                    size);
}

}  // namespace brelvik
