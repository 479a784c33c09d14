#pragma once

#include <string>
#include <vector>

namespace brelvik {

struct AddonListEntries {
    std::vector<std::wstring> addons, others;
};

AddonListEntries Split_addonlist(const std::wstring& text);
std::wstring Join_addonlist(const std::vector<std::wstring>& addons,
                            const std::vector<std::wstring>& others);
// What is written to a list file for the Addonlist text.
std::wstring Compose_listfile(const std::wstring& text);

}  // namespace brelvik
