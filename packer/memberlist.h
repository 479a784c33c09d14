#pragma once

#include <string>
#include <vector>

namespace brelvik {

// The files a list file names, read as the window reads it (one reader for both): one a line,
// without empty lines and the "/others/" marker line. A relative entry is taken from the list
// file's folder. Throws PlatformError when the file cannot be read or is larger than any list.
std::vector<std::wstring> Read_list_members(const std::wstring& path);

// The folder a path lies in (the working folder for a bare name), and a path taken from a
// folder: an absolute one as it is.
std::wstring Folder_of(const std::wstring& path);
std::wstring Joined_path(const std::wstring& folder, const std::wstring& path);

// The name members are compared by: the bare name as a Windows folder compares it.
std::wstring Member_key(const std::wstring& path);

// Members of one Member_key would be duplicates in the archive; the later one wins.
struct DistinctMembers {
    std::vector<std::wstring> kept;  // in the order given
    struct Dropped {
        std::wstring path, replacedBy;
    };
    std::vector<Dropped> dropped;
};
DistinctMembers Distinct_members(const std::vector<std::wstring>& paths);

}  // namespace brelvik
