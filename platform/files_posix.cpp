#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/platform_error.h"
#include "platform/replacement.h"

namespace brelvik {

namespace {

// Paths are the system's bytes here.
std::string Native(const std::wstring& path) {
    return To_native(path);
}

bool Is_missing(int error) {
    return error == ENOENT || error == ENOTDIR;
}

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int Get() const { return fd_; }

  private:
    int fd_;
};

// Only a regular file is read: a named pipe could keep a read waiting forever and a device such
// as /dev/zero never ends. Gives its size.
std::size_t Regular_file_size(int fd, const std::wstring& path) {
    struct stat info {};
    if (fstat(fd, &info) != 0) {
        throw Last_error(path);
    }
    if (S_ISDIR(info.st_mode)) {
        throw PlatformError(System_error_text(EISDIR), path);
    }
    if (!S_ISREG(info.st_mode)) {
        throw PlatformError(L"Not a regular file", path);
    }
    return static_cast<std::size_t>(info.st_size);
}

// Whether anything is at path, and what; throws when that cannot be told.
bool Look_at(const std::wstring& path, struct stat& info) {
    if (stat(Native(path).c_str(), &info) == 0) {
        return true;
    }
    if (Is_missing(errno)) {
        return false;
    }
    throw Last_error(path);
}

}  // namespace

std::uint64_t File_length(const std::wstring& path) {
    struct stat info {};
    if (!Look_at(path, info)) {
        return 0;
    }
    if (S_ISDIR(info.st_mode)) {
        throw PlatformError(System_error_text(EISDIR), path);
    }
    return static_cast<std::uint64_t>(info.st_size);
}

bool File_exists(const std::wstring& path) {
    struct stat info {};
    return Look_at(path, info) && !S_ISDIR(info.st_mode);
}

bool Folder_exists(const std::wstring& path) {
    struct stat info {};
    return Look_at(path, info) && S_ISDIR(info.st_mode);
}

std::string Read_bytes(const std::wstring& path) {
    // Not blocking, so that opening a named pipe does not wait for a writer; it is refused below.
    const Descriptor fd(open(Native(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.Get() < 0) {
        throw Last_error(path);
    }
    std::string bytes;
    // Room for the whole file at once: growing a string of many megabytes copies it again and
    // again.
    bytes.reserve(Regular_file_size(fd.Get(), path));
    char buffer[65536];
    for (;;) {
        const ssize_t got = read(fd.Get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            throw Last_error(path);
        }
        if (got == 0) {
            return bytes;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
}

void Replace_bytes(const std::wstring& path, std::string_view bytes) {
    FileReplacement file(path);
    file.Write(bytes);
    file.Commit();
}

void Delete_file(const std::wstring& path) {
    if (unlink(Native(path).c_str()) != 0 && !Is_missing(errno)) {
        throw Last_error(path);
    }
}

void Require_folder(const std::wstring& folder) {
    struct stat info {};
    if (stat(Native(folder).c_str(), &info) != 0) {
        throw Last_error(folder);
    }
    if (!S_ISDIR(info.st_mode)) {
        throw PlatformError(System_error_text(ENOTDIR), folder);
    }
}

}  // namespace brelvik
