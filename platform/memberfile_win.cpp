#include <windows.h>
#include <winioctl.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/handle_win.h"
#include "platform/memberfile.h"
#include "platform/platform_error.h"

namespace brelvik {

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr std::int64_t kUnixEpoch = 116444736000000000;  // 1970 in 100 ns steps since 1601
constexpr std::int64_t kTicksPerSecond = 10'000'000;

bool Is_missing(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
           error == ERROR_INVALID_NAME || error == ERROR_CANT_RESOLVE_FILENAME;
}

// Only links and junctions lead elsewhere; other reparse points (cloud placeholders,
// deduplicated files) are the files themselves.
bool Is_link(HANDLE handle) {
    FILE_ATTRIBUTE_TAG_INFO tag{};
    return GetFileInformationByHandleEx(handle, FileAttributeTagInfo, &tag, sizeof tag) &&
           (tag.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
           IsReparseTagNameSurrogate(tag.ReparseTag);
}

std::int64_t Ticks(const FILETIME& time) {
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) |
                                     time.dwLowDateTime);
}

// Throws for the path unless the handle tells; the change time is what every write moves.
FileIdentity Identity_of(HANDLE handle, const std::wstring& path, DWORD* attributes = nullptr) {
    BY_HANDLE_FILE_INFORMATION info{};
    FILE_BASIC_INFO basic{};
    if (!GetFileInformationByHandle(handle, &info) ||
        !GetFileInformationByHandleEx(handle, FileBasicInfo, &basic, sizeof basic)) {
        throw Last_error(path);
    }
    if (attributes != nullptr) {
        *attributes = info.dwFileAttributes;
    }
    FileIdentity identity;
    identity.device = info.dwVolumeSerialNumber;
    identity.inode = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    identity.size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    identity.changed = basic.ChangeTime.QuadPart * 100;
    const std::int64_t since = Ticks(info.ftLastWriteTime) - kUnixEpoch;
    identity.modified = since / kTicksPerSecond - (since % kTicksPerSecond < 0 ? 1 : 0);
    return identity;
}

FileStatus::Kind Kind_of(HANDLE handle, DWORD attributes) {
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        return FileStatus::Kind::kFolder;
    }
    return GetFileType(handle) == FILE_TYPE_DISK ? FileStatus::Kind::kRegular
                                                 : FileStatus::Kind::kOther;
}

// Folders open only with backup semantics; nothing is read or written through these.
HANDLE Open_to_ask(const std::wstring& path, DWORD flags) {
    return CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                       FILE_FLAG_BACKUP_SEMANTICS | flags, nullptr);
}

std::wstring Without_long_prefix(std::wstring path) {
    if (path.starts_with(L"\\\\?\\UNC\\")) {
        return L"\\" + path.substr(7);
    }
    return path.starts_with(L"\\\\?\\") ? path.substr(4) : path;
}

// The layout of a link's or junction's reparse data, which the SDK keeps in a driver header.
struct ReparseData {
    ULONG tag;
    USHORT length, reserved;
    USHORT substituteOffset, substituteLength, printOffset, printLength;
};

HANDLE Handle_of(int fd) {
    return LongToHandle(fd);
}

std::size_t Read_handle_at(HANDLE handle, char* buffer, std::size_t size, std::uint64_t offset,
                           const std::wstring& path) {
    OVERLAPPED where{};
    where.Offset = static_cast<DWORD>(offset);
    where.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD got = 0;
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
    if (!ReadFile(handle, buffer, want, &got, &where)) {
        if (GetLastError() == ERROR_HANDLE_EOF) {
            return 0;
        }
        throw Last_error(path);
    }
    return got;
}

}  // namespace

FileStatus Status_of(const std::wstring& path) {
    FileStatus status;
    const Handle self(Open_to_ask(path, FILE_FLAG_OPEN_REPARSE_POINT));
    if (!self.Valid()) {
        if (Is_missing(GetLastError())) {
            return status;
        }
        throw Last_error(path);
    }
    status.link = Is_link(self.Get());
    const Handle target(status.link ? Open_to_ask(path, 0) : INVALID_HANDLE_VALUE);
    if (status.link && !target.Valid()) {
        if (Is_missing(GetLastError())) {
            return status;
        }
        throw Last_error(path);
    }
    const HANDLE described = status.link ? target.Get() : self.Get();
    DWORD attributes = 0;
    status.identity = Identity_of(described, path, &attributes);
    status.kind = Kind_of(described, attributes);
    return status;
}

std::wstring Real_path(const std::wstring& path) {
    const Handle file(Open_to_ask(path, 0));
    if (!file.Valid()) {
        throw Last_error(path);
    }
    std::wstring real(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFinalPathNameByHandleW(
            file.Get(), real.data(), static_cast<DWORD>(real.size()), FILE_NAME_NORMALIZED);
        if (length == 0) {
            throw Last_error(path);
        }
        if (length < real.size()) {
            real.resize(length);
            return Without_long_prefix(real);
        }
        real.resize(length);
    }
}

std::wstring Link_target(const std::wstring& path) {
    const Handle link(Open_to_ask(path, FILE_FLAG_OPEN_REPARSE_POINT));
    std::vector<char> data(MAXIMUM_REPARSE_DATA_BUFFER_SIZE);
    DWORD got = 0;
    if (!link.Valid() ||
        !DeviceIoControl(link.Get(), FSCTL_GET_REPARSE_POINT, nullptr, 0, data.data(),
                         static_cast<DWORD>(data.size()), &got, nullptr) ||
        got < sizeof(ReparseData)) {
        return {};
    }
    ReparseData header{};
    std::memcpy(&header, data.data(), sizeof header);
    // A link's names follow a flags word that a junction's lack.
    std::size_t names = sizeof header;
    if (header.tag == IO_REPARSE_TAG_SYMLINK) {
        names += sizeof(ULONG);
    } else if (header.tag != IO_REPARSE_TAG_MOUNT_POINT) {
        return {};
    }
    if (names + header.printOffset + header.printLength > got) {
        return {};
    }
    std::wstring target(header.printLength / sizeof(wchar_t), L'\0');
    std::memcpy(target.data(), data.data() + names + header.printOffset, header.printLength);
    return target;
}

CivilTime Local_time(std::int64_t seconds) {
    constexpr std::int64_t kFirst = -11644473600;  // 1601-01-01, where FILETIME begins
    constexpr std::int64_t kLast = 253402300799;   // 9999-12-31 23:59:59
    const std::uint64_t ticks = static_cast<std::uint64_t>(
        std::clamp(seconds, kFirst, kLast) * kTicksPerSecond + kUnixEpoch);
    const FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME utc{}, local{};
    if (!FileTimeToSystemTime(&time, &utc) ||
        !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) {
        return {};
    }
    return {local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond};
}

// No other program may write to the file while it is open: Windows may move a file's times
// only once its writer closes it, so a write in progress could not be seen afterwards.
InputFile::InputFile(const std::wstring& path) : path_(path) {
    Handle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file.Valid()) {
        throw Last_error(path);
    }
    if (Is_link(file.Get())) {
        throw PlatformError(L"a link, which is not followed here", path);
    }
    DWORD attributes = 0;
    Identity_of(file.Get(), path, &attributes);
    if (Kind_of(file.Get(), attributes) != FileStatus::Kind::kRegular) {
        throw PlatformError(L"not a regular file", path);
    }
    fd_ = HandleToLong(file.Release());
}

InputFile::~InputFile() {
    CloseHandle(Handle_of(fd_));
}

FileIdentity InputFile::Identity() const {
    return Identity_of(Handle_of(fd_), path_);
}

std::size_t InputFile::Read(char* buffer, std::size_t size) {
    const std::size_t got = Read_at(buffer, size, position_);
    position_ += got;
    return got;
}

std::size_t InputFile::Read_at(char* buffer, std::size_t size, std::uint64_t offset) const {
    return Read_handle_at(Handle_of(fd_), buffer, size, offset, path_);
}

}  // namespace brelvik
