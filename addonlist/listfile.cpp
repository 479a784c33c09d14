#include "addonlist/listfile.h"

namespace brelvik {

std::wstring Listfile_text(std::wstring content) {
    if (content.find(kLineBreak) != std::wstring::npos) {
        return content;
    }
    std::wstring text;
    text.reserve(content.size());
    for (const wchar_t c : content) {
        if (c == L'\n') {
            text.append(kLineBreak);
        } else {
            text.push_back(c);
        }
    }
    return text;
}

bool Listable(std::wstring_view name) {
    return name.find_first_of(L"\r\n") == std::wstring_view::npos;
}

std::optional<std::wstring> Unlistable_entry(const AddonListEntries& entries) {
    for (const auto* section : {&entries.addons, &entries.others}) {
        for (const std::wstring& entry : *section) {
            if (!Listable(entry)) {
                return entry;
            }
        }
    }
    return std::nullopt;
}

std::vector<std::wstring> Listed_files(const std::wstring& text) {
    std::vector<std::wstring> files;
    For_each_listed_line(
        std::wstring_view(text), kLineBreak,
        [&](std::size_t pos, std::size_t length) { files.push_back(text.substr(pos, length)); });
    return files;
}

}  // namespace brelvik
