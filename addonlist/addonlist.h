#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace brelvik {

// The line that parts the add-on entries from the other files, and the line break of the text.
inline constexpr std::wstring_view kOthersMarker = L"/others/";
inline constexpr std::wstring_view kLineBreak = L"\r\n";

struct AddonListEntries {
    std::vector<std::wstring> addons, others;
};

// Where the others marker line "/others/" stands in the text, or npos. The marker counts only
// as a whole line, before CR LF or the end of the text: the first one after a CR LF, or else
// one at the very start.
std::size_t Find_others_marker(const std::wstring& text);

AddonListEntries Split_addonlist(const std::wstring& text);
std::wstring Join_addonlist(const std::vector<std::wstring>& addons,
                            const std::vector<std::wstring>& others);
// What is written to a list file for the Addonlist text.
std::wstring Compose_listfile(const std::wstring& text);

}  // namespace brelvik
