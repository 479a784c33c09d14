#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace brelvik {

// The folder a path lies in (the working folder for a bare name), and a path taken from a
// folder: an absolute one as it is.
std::wstring Folder_of(const std::wstring& path);
std::wstring Listed_path(const std::wstring& folder, const std::wstring& path);

// The name members are compared by: the bare name as a Windows folder compares it.
std::wstring Member_key(const std::wstring& path);

// Members whose names a Windows folder takes for one would be duplicates in the archive; the
// later one wins, and the same file named again is no conflict. Members are given as a hash of
// their key and a reference in naming order (the hash only sorts; keys are compared whole).
struct NamedMember {
    std::uint64_t keyHash;
    std::uint64_t ref;
};
NamedMember Named_member(const std::wstring& path, std::uint64_t ref);
// Calls kept(ref) for each winner and dropped(ref, winner) for each other member, both in no
// particular order; empties members.
void Resolve_duplicates(std::vector<NamedMember>& members,
                        const std::function<std::wstring(std::uint64_t)>& path,
                        const std::function<void(std::uint64_t)>& kept,
                        const std::function<void(std::uint64_t, std::uint64_t)>& dropped);

struct DistinctMembers {
    std::vector<std::wstring> kept;  // in the order given
    struct Dropped {
        std::wstring path, replacedBy;
    };
    std::vector<Dropped> dropped;  // in the order given
};
DistinctMembers Distinct_members(const std::vector<std::wstring>& paths);

}  // namespace brelvik
