#include "packing/packerentry.h"

#include <string_view>

#include "info/pathsep.h"

namespace brelvik {

namespace {

constexpr std::wstring_view kBlanks = L" \t";

bool Is_digit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

std::wstring_view Trimmed(std::wstring_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::wstring_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// The text less a trailing comma and (possibly signed) number, the icon index.
std::wstring_view Without_index(std::wstring_view text) {
    std::size_t digits = text.size();
    while (digits > 0 && Is_digit(text[digits - 1])) {
        --digits;
    }
    if (digits == text.size()) {
        return text;
    }
    std::size_t comma = digits;
    if (comma > 0 && (text[comma - 1] == L'-' || text[comma - 1] == L'+')) {
        --comma;
    }
    if (comma == 0 || text[comma - 1] != L',') {
        return text;
    }
    return Trimmed(text.substr(0, comma - 1));
}

std::wstring_view Unquoted(std::wstring_view text) {
    if (text.size() >= 2 && text.front() == L'"' && text.back() == L'"') {
        return Trimmed(text.substr(1, text.size() - 2));
    }
    return text;
}

}  // namespace

std::optional<std::wstring> Packer_program(const std::wstring& entry) {
    // The index may stand behind the closing quote ("path",0) or inside the quotes ("path,0").
    const std::wstring_view path = Without_index(Unquoted(Without_index(Trimmed(entry))));
    if (path.empty() || kPathSeparators.find(path.back()) != std::wstring_view::npos) {
        return std::nullopt;
    }
    return std::wstring(path);
}

std::optional<std::wstring> Packer_folder(const std::wstring& entry) {
    const std::optional<std::wstring> program = Packer_program(entry);
    if (!program) {
        return std::nullopt;
    }
    const std::size_t separator = program->find_last_of(kPathSeparators);
    if (separator == std::wstring::npos) {
        return std::nullopt;
    }
    return program->substr(0, separator + 1);
}

bool Names_own_packer(const std::wstring& entry) {
    const std::optional<std::wstring> program = Packer_program(entry);
    if (!program) {
        return false;
    }
    std::wstring name(Bare_name(*program));
    // Windows names ignore letter case; the name looked for is ASCII.
    for (wchar_t& c : name) {
        if (c >= L'A' && c <= L'Z') {
            c = static_cast<wchar_t>(c - L'A' + L'a');
        }
    }
    const std::wstring own = kOwnPackerName;
    return name == own || name == own + L".exe";
}

}  // namespace brelvik
