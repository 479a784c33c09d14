#include "packer/memberlist.h"

#include <QDir>
#include <QFileInfo>
#include <QString>
#include <map>

#include "addonlist/listfile.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/pathsep.h"
#include "platform/platform_error.h"

namespace brelvik {

std::vector<std::wstring> Read_list_members(const std::wstring& path) {
    if (File_length(path) > kMaxListFileBytes) {
        throw PlatformError(L"larger than any Addonlist", path);
    }
    const QDir folder = QFileInfo(QString::fromStdWString(path)).absoluteDir();
    std::vector<std::wstring> members = Listed_files(Listfile_text(Decode_list_text(Read_bytes(path))));
    for (std::wstring& member : members) {
        member = folder.filePath(QString::fromStdWString(member)).toStdWString();
    }
    return members;
}

std::wstring Member_key(const std::wstring& path) {
    return Folded(std::wstring(Bare_name(path)));
}

DistinctMembers Distinct_members(const std::vector<std::wstring>& paths) {
    std::map<std::wstring, std::size_t> last;  // key -> index of the winner
    for (std::size_t i = 0; i < paths.size(); ++i) {
        last[Member_key(paths[i])] = i;
    }
    DistinctMembers result;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const std::wstring& winner = paths[last.at(Member_key(paths[i]))];
        if (&winner == &paths[i]) {
            result.kept.push_back(paths[i]);
        } else if (winner != paths[i]) {  // the same file named twice is no conflict
            result.dropped.push_back({paths[i], winner});
        }
    }
    return result;
}

}  // namespace brelvik
