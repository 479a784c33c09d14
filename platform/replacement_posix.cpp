#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <utility>

#include "platform/codepage.h"
#include "platform/platform_error.h"
#include "platform/pread_posix.h"
#include "platform/replacement.h"
#include "platform/tempname.h"

namespace brelvik {

namespace {

std::string Folder_of(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// An unnamed file in the folder, so that a save killed halfway leaves nothing behind. It can be
// given a name later only through /proc, so without /proc none is made.
int Open_unnamed(const std::string& folder) {
    if (access("/proc/self/fd", X_OK) != 0) {
        return -1;
    }
    return open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
}

// Where the file system cannot make an unnamed file: a new name nobody else holds.
int Create_named(const std::string& folder, std::string& tempPath) {
    for (int attempt = 0; attempt < 16; ++attempt) {
        tempPath = folder + "/" + Temp_name();
        const int fd =
            open(tempPath.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    tempPath.clear();
    return -1;
}

// The old file's permissions carry over to its replacement; a new file, and one that replaces a
// link, keeps what the umask gave it.
void Keep_mode(int fd, const std::string& target) {
    struct stat info {};
    if (lstat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
        fchmod(fd, info.st_mode & 07777);
    }
}

void Sync_folder(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

}  // namespace

FileReplacement::FileReplacement(const std::wstring& path)
    : path_(path), target_(To_native(path)), folder_(Folder_of(target_)) {
    fd_ = Open_unnamed(folder_);
    if (fd_ < 0) {
        fd_ = Create_named(folder_, tempPath_);
    }
    if (fd_ < 0) {
        throw Last_error(path_);
    }
    Keep_mode(fd_, target_);
}

FileReplacement::~FileReplacement() {
    if (fd_ >= 0) {
        close(fd_);
    }
    if (!tempPath_.empty()) {
        unlink(tempPath_.c_str());
    }
}

void FileReplacement::Write(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = write(fd_, bytes.data(), bytes.size());
        if (written < 0 && errno != EINTR) {
            Fail(errno);
        }
        bytes.remove_prefix(written < 0 ? 0 : static_cast<std::size_t>(written));
    }
}

void FileReplacement::Write_at(const char* data, std::size_t size, std::uint64_t offset) {
    while (size > 0) {
        const ssize_t written = pwrite(fd_, data, size, static_cast<off_t>(offset));
        if (written < 0 && errno != EINTR) {
            Fail(errno);
        }
        const std::size_t done = written < 0 ? 0 : static_cast<std::size_t>(written);
        data += done;
        size -= done;
        offset += done;
    }
}

std::size_t FileReplacement::Read_at(char* buffer, std::size_t size, std::uint64_t offset) const {
    const ssize_t got = Read_at_retrying(fd_, buffer, size, offset);
    if (got < 0) {
        throw PlatformError(System_error_text(errno), path_);
    }
    return static_cast<std::size_t>(got);
}

void FileReplacement::Truncate() {
    if (ftruncate(fd_, 0) != 0 || lseek(fd_, 0, SEEK_SET) != 0) {
        Fail(errno);
    }
}

void FileReplacement::Commit() {
    if (fsync(fd_) != 0) {
        Fail(errno);
    }
    if (tempPath_.empty()) {
        Name_temporary();
    }
    const int fd = std::exchange(fd_, -1);
    if (close(fd) != 0 || rename(tempPath_.c_str(), target_.c_str()) != 0) {
        Fail(errno);
    }
    tempPath_.clear();
    Sync_folder(folder_);
}

void FileReplacement::Fail(int error) {
    throw PlatformError(System_error_text(error), path_);
}

// The unnamed file gets a name only now, at the end, since a rename needs one. A link cannot
// replace a file, so it goes to a fresh name that the rename then moves over the path.
void FileReplacement::Name_temporary() {
    const std::string self = "/proc/self/fd/" + std::to_string(fd_);
    for (int attempt = 0; attempt < 16; ++attempt) {
        const std::string candidate = folder_ + "/" + Temp_name();
        if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, candidate.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            tempPath_ = candidate;
            return;
        }
        if (errno != EEXIST) {
            Fail(errno);
        }
    }
    Fail(EEXIST);
}

}  // namespace brelvik
