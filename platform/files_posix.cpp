#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>
#include <utility>

#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/platform_error.h"

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
    bool Close() { return ::close(std::exchange(fd_, -1)) == 0; }

  private:
    int fd_;
};

// Follows a symbolic link, so that replacing the file keeps the link and writes its target.
std::string Write_target(const std::string& path) {
    struct stat info {};
    char resolved[PATH_MAX];
    if (lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode) &&
        realpath(path.c_str(), resolved) != nullptr) {
        return resolved;
    }
    return path;
}

std::string Folder_of(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A new, hidden file beside target, created exclusively so that no other writer shares it.
int Create_temp_beside(const std::string& target, std::string& tempPath) {
    static unsigned counter = 0;
    const std::size_t slash = target.rfind('/');
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    const std::string prefix = Folder_of(target) + "/." + name + "." + std::to_string(getpid());
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = prefix + "." + std::to_string(++counter) + ".tmp";
        const int fd = open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

bool Write_all(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written < 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The old file's permissions carry over to its replacement; a new file keeps what the umask
// gave it.
void Keep_mode(int fd, const std::string& target) {
    struct stat info {};
    if (stat(target.c_str(), &info) == 0) {
        fchmod(fd, info.st_mode & 07777);
    }
}

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

void Sync_folder(const std::string& folder) {
    const Descriptor fd(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Get() >= 0) {
        fsync(fd.Get());
    }
}

}  // namespace

std::uint64_t File_length(const std::wstring& path) {
    struct stat info {};
    if (stat(Native(path).c_str(), &info) != 0) {
        if (Is_missing(errno)) {
            return 0;
        }
        throw Last_error(path);
    }
    if (S_ISDIR(info.st_mode)) {
        throw PlatformError(System_error_text(EISDIR), path);
    }
    return static_cast<std::uint64_t>(info.st_size);
}

bool File_exists(const std::wstring& path) {
    struct stat info {};
    if (stat(Native(path).c_str(), &info) != 0) {
        if (Is_missing(errno)) {
            return false;
        }
        throw Last_error(path);
    }
    return !S_ISDIR(info.st_mode);
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
    const std::string target = Write_target(Native(path));
    std::string tempPath;
    Descriptor fd(Create_temp_beside(target, tempPath));
    if (fd.Get() < 0) {
        throw Last_error(path);
    }
    Keep_mode(fd.Get(), target);
    if (!Write_all(fd.Get(), bytes) || fsync(fd.Get()) != 0 || !fd.Close() ||
        rename(tempPath.c_str(), target.c_str()) != 0) {
        const int error = errno;
        unlink(tempPath.c_str());
        throw PlatformError(System_error_text(error), path);
    }
    Sync_folder(Folder_of(target));
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
