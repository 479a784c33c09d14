#include <windows.h>

#include <algorithm>
#include <utility>

#include "platform/platform_error.h"
#include "platform/replacement.h"
#include "platform/tempname.h"

namespace brelvik {

namespace {

std::wstring Folder_of(const std::wstring& path) {
    const std::size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator + 1);
}

std::wstring Temp_path(const std::wstring& path, const std::string& name) {
    return Folder_of(path) + std::wstring(name.begin(), name.end());
}

OVERLAPPED At(std::uint64_t offset) {
    OVERLAPPED where{};
    where.Offset = static_cast<DWORD>(offset);
    where.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return where;
}

constexpr std::size_t kLargestCall = 1u << 30;

}  // namespace

// A new name beside the path that nobody else holds, created exclusively.
FileReplacement::FileReplacement(const std::wstring& path) : path_(path) {
    for (int attempt = 0; attempt < 16; ++attempt) {
        tempPath_ = Temp_name();
        const HANDLE file =
            CreateFileW(Temp_path(path_, tempPath_).c_str(), GENERIC_READ | GENERIC_WRITE,
                        FILE_SHARE_READ, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            fd_ = HandleToLong(file);
            return;
        }
        if (GetLastError() != ERROR_FILE_EXISTS) {
            break;
        }
    }
    const PlatformError error = Last_error(path_);
    tempPath_.clear();
    throw error;
}

FileReplacement::~FileReplacement() {
    if (fd_ != -1) {
        CloseHandle(LongToHandle(fd_));
    }
    if (!tempPath_.empty()) {
        DeleteFileW(Temp_path(path_, tempPath_).c_str());
    }
}

void FileReplacement::Write(std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min(bytes.size(), kLargestCall));
        if (!WriteFile(LongToHandle(fd_), bytes.data(), chunk, &written, nullptr)) {
            Fail(static_cast<int>(GetLastError()));
        }
        bytes.remove_prefix(written);
    }
}

void FileReplacement::Write_at(const char* data, std::size_t size, std::uint64_t offset) {
    while (size > 0) {
        OVERLAPPED where = At(offset);
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min(size, kLargestCall));
        if (!WriteFile(LongToHandle(fd_), data, chunk, &written, &where)) {
            Fail(static_cast<int>(GetLastError()));
        }
        data += written;
        size -= written;
        offset += written;
    }
}

std::size_t FileReplacement::Read_at(char* buffer, std::size_t size, std::uint64_t offset) const {
    OVERLAPPED where = At(offset);
    DWORD got = 0;
    const DWORD want = static_cast<DWORD>(std::min(size, kLargestCall));
    if (!ReadFile(LongToHandle(fd_), buffer, want, &got, &where)) {
        if (GetLastError() == ERROR_HANDLE_EOF) {
            return 0;
        }
        throw Last_error(path_);
    }
    return got;
}

void FileReplacement::Truncate() {
    const LARGE_INTEGER start{};
    if (!SetFilePointerEx(LongToHandle(fd_), start, nullptr, FILE_BEGIN) ||
        !SetEndOfFile(LongToHandle(fd_))) {
        Fail(static_cast<int>(GetLastError()));
    }
}

void FileReplacement::Commit() {
    const HANDLE file = LongToHandle(std::exchange(fd_, -1));
    if (!FlushFileBuffers(file)) {
        const DWORD error = GetLastError();
        CloseHandle(file);
        Fail(static_cast<int>(error));
    }
    if (!CloseHandle(file) || !MoveFileExW(Temp_path(path_, tempPath_).c_str(), path_.c_str(),
                                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        Fail(static_cast<int>(GetLastError()));
    }
    tempPath_.clear();
}

void FileReplacement::Fail(int error) {
    throw PlatformError(System_error_text(error), path_);
}

}  // namespace brelvik
