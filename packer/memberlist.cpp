#include "packer/memberlist.h"

#include <algorithm>
#include <map>

#include "addonlist/namekey.h"
#include "platform/folders.h"
#include "platform/pathsep.h"

namespace brelvik {

std::wstring Folder_of(const std::wstring& path) {
    const std::size_t separator = path.find_last_of(kPathSeparators);
    if (separator == std::wstring::npos) {
        return Current_folder();
    }
    return separator == 0 ? path.substr(0, 1) : path.substr(0, separator);
}

std::wstring Listed_path(const std::wstring& folder, const std::wstring& path) {
    if (Is_anchored(path) || folder.empty()) {
        return path;
    }
    return folder.ends_with(kPathSeparator) ? folder + path : folder + kPathSeparator + path;
}

std::wstring Member_key(const std::wstring& path) {
    return Same_name_key(Bare_name(path));
}

NamedMember Named_member(const std::wstring& path, std::uint64_t ref) {
    return {std::hash<std::wstring>{}(Member_key(path)), ref};
}

void Resolve_duplicates(std::vector<NamedMember>& members,
                        const std::function<std::wstring(std::uint64_t)>& path,
                        const std::function<void(std::uint64_t)>& kept,
                        const std::function<void(std::uint64_t, std::uint64_t)>& dropped) {
    std::ranges::sort(members, [](const NamedMember& a, const NamedMember& b) {
        return a.keyHash != b.keyHash ? a.keyHash < b.keyHash : a.ref < b.ref;
    });
    // Keys of one hash are almost always one key; those that only share the hash are resolved
    // among themselves in a further round.
    const auto resolve = [&](auto ref, std::size_t count, std::vector<std::uint64_t>& rest) {
        const std::uint64_t winner = ref(count - 1);
        const std::wstring winnerPath = path(winner);
        const std::wstring key = Member_key(winnerPath);
        kept(winner);
        for (std::size_t i = 0; i + 1 < count; ++i) {
            const std::wstring other = path(ref(i));
            if (Member_key(other) != key) {
                rest.push_back(ref(i));
            } else if (other != winnerPath) {
                dropped(ref(i), winner);
            }
        }
    };
    std::vector<std::uint64_t> group, rest;
    for (std::size_t begin = 0, end = 0; begin < members.size(); begin = end) {
        while (end < members.size() && members[end].keyHash == members[begin].keyHash) {
            ++end;
        }
        resolve([&](std::size_t i) { return members[begin + i].ref; }, end - begin, group);
        while (!group.empty()) {
            rest.clear();
            resolve([&](std::size_t i) { return group[i]; }, group.size(), rest);
            group.swap(rest);
        }
    }
    members.clear();
    members.shrink_to_fit();
}

DistinctMembers Distinct_members(const std::vector<std::wstring>& paths) {
    std::vector<NamedMember> members;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        members.push_back(Named_member(paths[i], i));
    }
    std::vector<std::uint64_t> kept;
    std::map<std::uint64_t, std::uint64_t> dropped;
    Resolve_duplicates(
        members, [&](std::uint64_t i) { return paths[i]; },
        [&](std::uint64_t i) { kept.push_back(i); },
        [&](std::uint64_t i, std::uint64_t winner) { dropped[i] = winner; });
    std::ranges::sort(kept);
    DistinctMembers result;
    for (const std::uint64_t i : kept) {
        result.kept.push_back(paths[i]);
    }
    for (const auto& [i, winner] : dropped) {
        result.dropped.push_back({paths[i], paths[winner]});
    }
    return result;
}

}  // namespace brelvik
