#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace brelvik {

struct AddonListEntries {
    std::vector<std::wstring> addons, others;
};

// Where the others marker line "/others/" first stands in the text, or npos. The marker counts
// only as a whole line: at the start or after CR LF, and before CR LF or the end of the text.
std::size_t Find_others_marker(const std::wstring& text);

AddonListEntries Split_addonlist(const std::wstring& text);
std::wstring Join_addonlist(const std::vector<std::wstring>& addons,
                            const std::vector<std::wstring>& others);
// What is written to a list file for the Addonlist text.
std::wstring Compose_listfile(const std::wstring& text);

}  // namespace brelvik
