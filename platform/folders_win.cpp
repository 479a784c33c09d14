#include <windows.h>

#include "platform/folders.h"
#include "platform/platform_error.h"

namespace brelvik {
namespace {

// A folder path as the lists show it: no trailing separator except at a drive's root.
std::wstring Without_trailing_separator(std::wstring path) {
    while (path.size() > 3 && path.back() == L'\\') {
        path.pop_back();
    }
    return path;
}

// The search of everything in the folder, at its first entry; throws when it cannot be read.
HANDLE Find_first(const std::wstring& folder, WIN32_FIND_DATAW& data) {
    std::wstring pattern = folder;
    if (pattern.empty() || pattern.back() != L'\\') {
        pattern += L'\\';
    }
    pattern += L'*';
    const HANDLE find = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data,
                                         FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) {
        throw Last_error(folder);
    }
    return find;
}

}  // namespace

std::wstring Full_path(const std::wstring& path) {
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (size == 0 || length == 0 || length >= size) {
        throw Last_error(path);
    }
    full.resize(length);
    return Without_trailing_separator(full);
}

std::vector<std::wstring> List_drives() {
    std::vector<std::wstring> drives;
    const DWORD mask = GetLogicalDrives();
    for (int letter = 0; letter < 26; ++letter) {
        if (mask & (1u << letter)) {
            drives.push_back(std::wstring(1, static_cast<wchar_t>(L'a' + letter)) + L':');
        }
    }
    return drives;
}

std::wstring Drive_folder(const std::wstring& drive) {
    return Full_path(drive.substr(0, 2));
}

std::wstring Stored_folder_drive(const std::wstring& folder) {
    return folder.size() > 2 ? folder.substr(0, 1) : std::wstring();
}

std::wstring Current_folder() {
    return Full_path(L".");
}

void Check_folder(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    FindClose(Find_first(folder, data));
}

FolderEntries List_folder(const std::wstring& folder, const std::wstring& extension) {
    WIN32_FIND_DATAW data;
    const HANDLE find = Find_first(folder, data);
    FolderEntries entries;
    const DWORD skipped = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L".." || (data.dwFileAttributes & skipped) != 0) {
            continue;
        }
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            entries.subfolders.push_back(name);
        } else if (Ends_with_ignoring_case(name, extension)) {
            entries.files.push_back(name);
        }
    } while (FindNextFileW(find, &data));
    const DWORD end = GetLastError();
    FindClose(find);
    if (end != ERROR_NO_MORE_FILES) {
        SetLastError(end);
        throw Last_error(folder);
    }
    Sort_ignoring_case(entries.subfolders);
    Sort_ignoring_case(entries.files);
    return entries;
}

}  // namespace brelvik
