#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/files.h"
#include "platform/handle_win.h"
#include "platform/platform_error.h"
#include "platform/tempname.h"

namespace brelvik {

namespace {

bool Is_missing(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

std::wstring Folder_of(const std::wstring& path) {
    const std::size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? L"." : path.substr(0, separator + 1);
}

// A new file beside path under a short, unpredictable name, created exclusively so that no
// other writer shares it.
HANDLE Create_temp_beside(const std::wstring& path, std::wstring& tempPath) {
    for (int attempt = 0; attempt < 16; ++attempt) {
        const std::string name = Temp_name();
        tempPath = Folder_of(path) + std::wstring(name.begin(), name.end());
        const HANDLE handle = CreateFileW(tempPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) {
            return handle;
        }
    }
    return INVALID_HANDLE_VALUE;
}

bool Write_all(HANDLE handle, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(handle, bytes.data(), chunk, &written, nullptr)) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

// INVALID_FILE_ATTRIBUTES when nothing is at path; throws when that cannot be told.
DWORD Attributes(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES && !Is_missing(GetLastError())) {
        throw Last_error(path);
    }
    return attributes;
}

}  // namespace

std::uint64_t File_length(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        if (Is_missing(GetLastError())) {
            return 0;
        }
        throw Last_error(path);
    }
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        throw PlatformError(System_error_text(ERROR_ACCESS_DENIED), path);
    }
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool File_exists(const std::wstring& path) {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Folder_exists(const std::wstring& path) {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string Read_bytes(const std::wstring& path) {
    const Handle file(CreateFileW(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.Get() == INVALID_HANDLE_VALUE) {
        throw Last_error(path);
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr)) {
            throw Last_error(path);
        }
        if (got == 0) {
            return bytes;
        }
        bytes.append(buffer, got);
    }
}

void Replace_bytes(const std::wstring& path, std::string_view bytes) {
    std::wstring tempPath;
    Handle file(Create_temp_beside(path, tempPath));
    if (file.Get() == INVALID_HANDLE_VALUE) {
        throw Last_error(path);
    }
    if (!Write_all(file.Get(), bytes) || !FlushFileBuffers(file.Get()) || !file.Close() ||
        !MoveFileExW(tempPath.c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        file.Close();
        DeleteFileW(tempPath.c_str());
        throw PlatformError(System_error_text(static_cast<int>(error)), path);
    }
}

void Delete_file(const std::wstring& path) {
    if (!DeleteFileW(path.c_str()) && !Is_missing(GetLastError())) {
        throw Last_error(path);
    }
}

void Require_folder(const std::wstring& folder) {
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        throw Last_error(folder);
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        throw PlatformError(System_error_text(ERROR_DIRECTORY), folder);
    }
}

}  // namespace brelvik
