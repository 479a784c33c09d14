#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace brelvik {

// The files a list file's text names: one a line, CR LF between lines (a bare LF is taken as
// well). Empty lines and the "/others/" marker line name no file.
std::vector<std::wstring> List_members(std::wstring_view text);

// Reads a list file as the program writes it, bytes of the ANSI code page. Throws
// PlatformError when it cannot be read.
std::vector<std::wstring> Read_list_members(const std::wstring& path);

// The name a member is stored under: its file name without any folder.
std::wstring Bare_name(const std::wstring& path);

// Members whose bare names are equal (ASCII case ignored) would be duplicates in the archive;
// the later one wins.
struct DistinctMembers {
    std::vector<std::wstring> kept;  // in the order given
    struct Dropped {
        std::wstring path, replacedBy;
    };
    std::vector<Dropped> dropped;
};
DistinctMembers Distinct_members(const std::vector<std::wstring>& paths);

}  // namespace brelvik
