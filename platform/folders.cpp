#include "platform/folders.h"

#include <algorithm>
#include <cstdint>
#include <cwctype>
#include <set>
#include <sstream>
#include <string_view>

#include "platform/collation.h"
#include "platform/pathsep.h"

namespace brelvik {
namespace {

// Names are mostly ASCII; the library's case mapping is for the rest.
wchar_t Fold(wchar_t c) {
    if (c < 128) {
        return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + (L'a' - L'A')) : c;
    }
    return static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
}

bool Starts_with_ignoring_case(const std::wstring& text, const std::wstring& start) {
    return text.size() >= start.size() &&
           std::equal(start.begin(), start.end(), text.begin(),
                      [](wchar_t x, wchar_t y) { return Fold(x) == Fold(y); });
}

bool Holds_path(const std::wstring& drive, const std::wstring& path) {
    if (drive.empty() || !Starts_with_ignoring_case(path, drive)) {
        return false;
    }
    const bool atSeparator = path.size() == drive.size() || drive.back() == kPathSeparator ||
                             drive.back() == L':' || path[drive.size()] == kPathSeparator;
    return atSeparator;
}

// Mount points escape blanks, tabs, line feeds and backslashes as three octal digits.
std::string Unescape_mount_point(const std::string& field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const std::string digits = field.substr(i + 1, 3);
            if (digits.find_first_not_of("01234567") == std::string::npos) {
                out += static_cast<char>(std::stoi(digits, nullptr, 8));
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return out;
}

bool Is_pseudo_file_system(const std::string& type) {
    static const std::set<std::string> kPseudo = {"autofs",      "binfmt_misc",
                                                  "bpf",         "cgroup",
                                                  "cgroup2",     "configfs",
                                                  "debugfs",     "devpts",
                                                  "devtmpfs",    "efivarfs",
                                                  "fusectl",     "hugetlbfs",
                                                  "mqueue",      "nsfs",
                                                  "overlay",     "proc",
                                                  "pstore",      "ramfs",
                                                  "rpc_pipefs",  "securityfs",
                                                  "selinuxfs",   "squashfs",
                                                  "sysfs",       "tracefs",
                                                  "nfsd",        "fuse.gvfsd-fuse",
                                                  "fuse.portal", "fuse.lxcfs"};
    return kPseudo.count(type) > 0;
}

bool Under(const std::string& path, const std::string& folder) {
    return path == folder || path.rfind(folder + "/", 0) == 0;
}

// Folders where the system keeps its own mounts; removable media under /run/media stay.
bool Is_system_place(const std::string& point) {
    static const char* const kPlaces[] = {"/proc", "/sys",  "/dev",     "/run",      "/boot",
                                          "/etc",  "/snap", "/var/lib", "/var/snap", "/tmp"};
    if (Under(point, "/run/media")) {
        return false;
    }
    return std::any_of(std::begin(kPlaces), std::end(kPlaces),
                       [&](const char* place) { return Under(point, place); });
}

}  // namespace

bool Ends_with_ignoring_case(const std::wstring& name, const std::wstring& ending) {
    return name.size() >= ending.size() &&
           std::equal(ending.begin(), ending.end(), name.end() - ending.size(),
                      [](wchar_t x, wchar_t y) { return Fold(x) == Fold(y); });
}

std::wstring Folded(const std::wstring& text) {
    std::wstring folded(text.size(), L'\0');
    std::transform(text.begin(), text.end(), folded.begin(), Fold);
    return folded;
}

// Keying each name once and sorting the keys costs far less than comparing through the
// collation. A list may hold 100,000 names: the keys lie end to end in one string, and the
// first bytes of each sit beside its place in the order, so that most comparisons touch no
// other memory.
void Sort_ignoring_case(std::vector<std::wstring>& names) {
    struct Keyed {
        std::uint64_t head[2];  // the key's first 16 bytes, big-endian, zero-padded
        std::uint32_t offset, length, index;
    };
    std::string keys;
    std::vector<Keyed> keyed(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        Keyed& entry = keyed[i];
        entry.offset = static_cast<std::uint32_t>(keys.size());
        Append_sort_key(keys, names[i]);
        entry.length = static_cast<std::uint32_t>(keys.size() - entry.offset);
        entry.index = static_cast<std::uint32_t>(i);
        for (std::uint32_t byte = 0; byte < 16; ++byte) {
            const std::uint64_t value =
                byte < entry.length ? static_cast<unsigned char>(keys[entry.offset + byte]) : 0;
            entry.head[byte / 8] |= value << (8 * (7 - byte % 8));
        }
    }
    const std::string_view all = keys;
    std::sort(keyed.begin(), keyed.end(), [all](const Keyed& a, const Keyed& b) {
        if (a.head[0] != b.head[0] || a.head[1] != b.head[1]) {
            return a.head[0] != b.head[0] ? a.head[0] < b.head[0] : a.head[1] < b.head[1];
        }
        const int order = all.substr(a.offset, a.length).compare(all.substr(b.offset, b.length));
        return order != 0 ? order < 0 : a.index < b.index;
    });
    // Each name moves along the cycles of the order, with no second vector of names: a fresh
    // process pays for every page of memory it first touches.
    std::vector<bool> placed(names.size());
    for (std::size_t start = 0; start < names.size(); ++start) {
        if (placed[start]) {
            continue;
        }
        std::wstring held = std::move(names[start]);
        std::size_t to = start;
        for (std::size_t from = keyed[to].index; from != start; from = keyed[to].index) {
            names[to] = std::move(names[from]);
            placed[to] = true;
            to = from;
        }
        names[to] = std::move(held);
        placed[to] = true;
    }
}

std::vector<std::wstring> List_files(const std::wstring& folder, const std::wstring& extension) {
    return List_folder(folder, extension).files;
}

std::wstring Drive_of(const std::wstring& path, const std::vector<std::wstring>& drives) {
    std::wstring best;
    for (const std::wstring& drive : drives) {
        if (Holds_path(drive, path) && drive.size() > best.size()) {
            best = drive;
        }
    }
    return best;
}

std::vector<std::string> User_volumes(const std::string& mountTable) {
    std::istringstream lines(mountTable);
    std::string line;
    std::set<std::string> points;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string device, point, type;
        if (!(fields >> device >> point >> type)) {
            continue;
        }
        point = Unescape_mount_point(point);
        if (point != "/" && !Is_pseudo_file_system(type) && !Is_system_place(point)) {
            points.insert(point);
        }
    }
    return {points.begin(), points.end()};
}

}  // namespace brelvik
