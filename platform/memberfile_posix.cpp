#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <memory>

#include "platform/codepage.h"
#include "platform/memberfile.h"
#include "platform/platform_error.h"
#include "platform/pread_posix.h"

namespace brelvik {

namespace {

FileIdentity Identity_of(const struct stat& info) {
    FileIdentity identity;
    identity.device = static_cast<std::uint64_t>(info.st_dev);
    identity.inode = static_cast<std::uint64_t>(info.st_ino);
    identity.size = static_cast<std::uint64_t>(info.st_size);
    identity.changed =
        static_cast<std::int64_t>(info.st_ctim.tv_sec) * 1'000'000'000 + info.st_ctim.tv_nsec;
    identity.modified = static_cast<std::int64_t>(info.st_mtim.tv_sec);
    return identity;
}

FileStatus::Kind Kind_of(mode_t mode) {
    return S_ISDIR(mode)   ? FileStatus::Kind::kFolder
           : S_ISREG(mode) ? FileStatus::Kind::kRegular
                           : FileStatus::Kind::kOther;
}

bool Is_missing(int error) {
    return error == ENOENT || error == ENOTDIR;
}

}  // namespace

FileStatus Status_of(const std::wstring& path) {
    const std::string native = To_native(path);
    FileStatus status;
    struct stat info {};
    if (lstat(native.c_str(), &info) != 0) {
        if (Is_missing(errno)) {
            return status;
        }
        throw Last_error(path);
    }
    status.link = S_ISLNK(info.st_mode);
    if (status.link && stat(native.c_str(), &info) != 0) {
        if (Is_missing(errno) || errno == ELOOP) {
            return status;
        }
        throw Last_error(path);
    }
    status.kind = Kind_of(info.st_mode);
    status.identity = Identity_of(info);
    return status;
}

std::wstring Real_path(const std::wstring& path) {
    const std::unique_ptr<char, decltype(&std::free)> resolved(
        realpath(To_native(path).c_str(), nullptr), &std::free);
    if (!resolved) {
        throw Last_error(path);
    }
    return From_native(resolved.get());
}

std::wstring Link_target(const std::wstring& path) {
    char target[PATH_MAX];
    const ssize_t length = readlink(To_native(path).c_str(), target, sizeof target);
    return length < 0 ? std::wstring() : From_native({target, static_cast<std::size_t>(length)});
}

CivilTime Local_time(std::int64_t seconds) {
    constexpr std::int64_t kLimit = 253402300799;  // 9999-12-31 23:59:59
    const time_t clamped = static_cast<time_t>(std::clamp<std::int64_t>(seconds, -kLimit, kLimit));
    struct tm local {};
    if (localtime_r(&clamped, &local) == nullptr) {
        return {};
    }
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

InputFile::InputFile(const std::wstring& path)
    : path_(path),
      fd_(open(To_native(path).c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK)) {
    if (fd_ < 0) {
        throw errno == ELOOP ? PlatformError(L"a link, which is not followed here", path)
                             : Last_error(path);
    }
    struct stat info {};
    if (fstat(fd_, &info) != 0) {
        const PlatformError error = Last_error(path);
        close(fd_);
        throw error;
    }
    if (!S_ISREG(info.st_mode)) {
        close(fd_);
        throw PlatformError(L"not a regular file", path);
    }
}

InputFile::~InputFile() {
    close(fd_);
}

FileIdentity InputFile::Identity() const {
    struct stat info {};
    if (fstat(fd_, &info) != 0) {
        throw Last_error(path_);
    }
    return Identity_of(info);
}

std::size_t InputFile::Read(char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t got = read(fd_, buffer, size);
        if (got >= 0) {
            return static_cast<std::size_t>(got);
        }
        if (errno != EINTR) {
            throw Last_error(path_);
        }
    }
}

std::size_t InputFile::Read_at(char* buffer, std::size_t size, std::uint64_t offset) const {
    const ssize_t got = Read_at_retrying(fd_, buffer, size, offset);
    if (got < 0) {
        throw Last_error(path_);
    }
    return static_cast<std::size_t>(got);
}

}  // namespace brelvik
