#include "packing/cmdline.h"

namespace brelvik {

namespace {

bool Needs_quotes(const std::wstring& argument) {
    return argument.empty() || argument.find_first_of(L" \t\"") != std::wstring::npos;
}

}  // namespace

std::wstring Quote_argument(const std::wstring& argument) {
    if (!Needs_quotes(argument)) {
        return argument;
    }
    std::wstring quoted = L"\"";
    std::size_t slashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++slashes;
            continue;
        }
        // Backslashes count double only in front of a quote, the argument's own or the closing one.
        quoted.append(c == L'"' ? 2 * slashes + 1 : slashes, L'\\');
        quoted += c;
        slashes = 0;
    }
    quoted.append(2 * slashes, L'\\');
    quoted += L'"';
    return quoted;
}

}  // namespace brelvik
