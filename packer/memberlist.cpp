#include "packer/memberlist.h"

#include <map>

#include "addonlist/addonlist.h"
#include "info/pathsep.h"
#include "packer/folding.h"
#include "platform/codepage.h"
#include "platform/files.h"

namespace brelvik {

std::vector<std::wstring> List_members(std::wstring_view text) {
    std::vector<std::wstring> members;
    while (!text.empty()) {
        const std::size_t end = text.find(L'\n');
        std::wstring_view line = text.substr(0, end);
        text = end == std::wstring_view::npos ? std::wstring_view() : text.substr(end + 1);
        if (line.ends_with(L'\r')) {
            line.remove_suffix(1);
        }
        if (!line.empty() && line != kOthersMarker) {
            members.emplace_back(line);
        }
    }
    return members;
}

std::vector<std::wstring> Read_list_members(const std::wstring& path) {
    return List_members(Decode_list_text(Read_bytes(path)));
}

std::wstring Bare_name(const std::wstring& path) {
    const std::size_t separator = path.rfind(kPathSeparator);
    return separator == std::wstring::npos ? path : path.substr(separator + 1);
}

DistinctMembers Distinct_members(const std::vector<std::wstring>& paths) {
    std::map<std::wstring, std::size_t> last;  // folded bare name -> index of the winner
    for (std::size_t i = 0; i < paths.size(); ++i) {
        last[Ascii_folded(Bare_name(paths[i]))] = i;
    }
    DistinctMembers result;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const std::wstring& winner = paths[last.at(Ascii_folded(Bare_name(paths[i])))];
        if (&winner == &paths[i]) {
            result.kept.push_back(paths[i]);
        } else if (winner != paths[i]) {  // the same file named twice is no conflict
            result.dropped.push_back({paths[i], winner});
        }
    }
    return result;
}

}  // namespace brelvik
