#include <windows.h>

#include "platform/collation.h"

namespace brelvik {

// The system's own order, as its list boxes sort: the user's locale, letter case ignored.
void Append_collation_key(std::string& out, std::wstring_view text, const std::string& locale) {
    const std::wstring name(locale.begin(), locale.end());
    const wchar_t* localeName = locale.empty() ? LOCALE_NAME_USER_DEFAULT : name.c_str();
    const DWORD flags = LCMAP_SORTKEY | NORM_IGNORECASE;
    const int length = static_cast<int>(text.size());
    const int size =
        LCMapStringEx(localeName, flags, text.data(), length, nullptr, 0, nullptr, nullptr, 0);
    const std::size_t start = out.size();
    out.resize(start + static_cast<std::size_t>(size));
    LCMapStringEx(localeName, flags, text.data(), length,
                  reinterpret_cast<LPWSTR>(out.data() + start), size, nullptr, nullptr, 0);
}

}  // namespace brelvik
