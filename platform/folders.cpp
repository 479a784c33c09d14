#include "platform/folders.h"

#include <algorithm>
#include <cstdint>
#include <cwctype>
#include <set>
#include <sstream>

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

// A folded name as bytes in the order of its characters: each character in UTF-8's form, whose
// bytes keep the order of the numbers they encode, lone surrogates included.
std::string Order_key(const std::wstring& name) {
    static constexpr unsigned char kLead[] = {0, 0xC0, 0xE0, 0xF0};
    std::string key;
    key.reserve(name.size());
    for (const wchar_t c : name) {
        const auto code = static_cast<std::uint32_t>(Fold(c));
        const int extra = code < 0x80 ? 0 : code < 0x800 ? 1 : code < 0x10000 ? 2 : 3;
        key += static_cast<char>(kLead[extra] | (code >> (6 * extra)));
        for (int shift = 6 * (extra - 1); shift >= 0; shift -= 6) {
            key += static_cast<char>(0x80 | ((code >> shift) & 0x3F));
        }
    }
    return key;
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

// Folding each name once and sorting the folded names costs far less than folding in every
// comparison. A list may hold 100,000 names, so the folded names are kept as Order_key's bytes:
// short ones sit inside their strings, and they compare as plain bytes do.
void Sort_ignoring_case(std::vector<std::wstring>& names) {
    std::vector<std::pair<std::string, std::size_t>> keyed;
    keyed.reserve(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        keyed.emplace_back(Order_key(names[i]), i);
    }
    std::sort(keyed.begin(), keyed.end());
    // Each name moves along the cycles of the order, with no second vector of names: a fresh
    // process pays for every page of memory it first touches.
    std::vector<bool> placed(names.size());
    for (std::size_t start = 0; start < names.size(); ++start) {
        if (placed[start]) {
            continue;
        }
        std::wstring held = std::move(names[start]);
        std::size_t to = start;
        for (std::size_t from = keyed[to].second; from != start; from = keyed[to].second) {
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
