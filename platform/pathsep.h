#pragma once

#include <string>
#include <string_view>

namespace brelvik {

// Paths are joined as plain text with the platform's own separator.
#ifdef _WIN32
inline constexpr wchar_t kPathSeparator = L'\\';
// Every character that ends a folder name in a path the system accepts.
inline constexpr std::wstring_view kPathSeparators = L"\\/";
inline constexpr bool kDriveLetters = true;
#else
inline constexpr wchar_t kPathSeparator = L'/';
inline constexpr std::wstring_view kPathSeparators = L"/";
inline constexpr bool kDriveLetters = false;
#endif

// A name in a folder, joined as text: a root that ends in its separator gets another all the same.
inline std::wstring Joined_path(const std::wstring& folder, std::wstring_view name) {
    std::wstring path = folder;
    path += kPathSeparator;
    path += name;
    return path;
}

// A file's name without its folder: what the packers store it under, and what the Addonlist
// compares when it refuses a second file of one name.
inline std::wstring_view Bare_name(std::wstring_view path) {
    return path.substr(path.find_last_of(kPathSeparators) + 1);
}

// Whether a path leads from a root or, on Windows, a drive, rather than from a folder.
inline bool Is_anchored(std::wstring_view path) {
    return (!path.empty() && kPathSeparators.find(path[0]) != std::wstring_view::npos) ||
           (kDriveLetters && path.size() >= 2 && path[1] == L':');
}

}  // namespace brelvik
