#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace brelvik {

// What identifies a file's content as it was seen: the same file, of the same size, not
// written to since (a write moves the change time, whatever it writes).
struct FileIdentity {
    std::uint64_t device = 0, inode = 0, size = 0;
    std::int64_t changed = 0;   // nanoseconds
    std::int64_t modified = 0;  // seconds since 1970, for the archive
    bool Same_content(const FileIdentity& other) const {
        return device == other.device && inode == other.inode && size == other.size &&
               changed == other.changed;
    }
};

// What a path names: the kind of what it leads to, and whether the path itself is a link.
struct FileStatus {
    enum class Kind { kMissing, kFolder, kRegular, kOther };
    Kind kind = Kind::kMissing;
    bool link = false;
    FileIdentity identity;  // of what it leads to
};
// Throws PlatformError for anything but a missing file or a dangling link.
FileStatus Status_of(const std::wstring& path);

// The path with every link and "." or ".." resolved; throws PlatformError.
std::wstring Real_path(const std::wstring& path);
// Where a link points, as written in it; empty when it cannot be read.
std::wstring Link_target(const std::wstring& path);

// A moment as the local clock shows it; years before 1 and after 9999 are not told apart.
struct CivilTime {
    int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};
CivilTime Local_time(std::int64_t seconds);

// A file opened for reading without following a link at its path and without waiting (a named
// pipe or a device is opened, then refused). Every failure throws PlatformError naming the path.
class InputFile {
  public:
    // Refuses anything but a regular file.
    explicit InputFile(const std::wstring& path);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    FileIdentity Identity() const;
    // Reads the next bytes; 0 at the end.
    std::size_t Read(char* buffer, std::size_t size);
    // Reads at an offset, leaving the position; safe from several threads at once.
    std::size_t Read_at(char* buffer, std::size_t size, std::uint64_t offset) const;

  private:
    std::wstring path_;
    int fd_ = -1;                 // on Windows the handle, which fits in 32 bits
    std::uint64_t position_ = 0;  // where Read goes on, where every read names its offset
};

}  // namespace brelvik
