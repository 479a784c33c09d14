#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace brelvik {

// A new file that takes the place of the one at a path only when committed. It is written in the
// same folder, unnamed where the system allows it and otherwise under a short, unpredictable
// name created exclusively; commit renames it over the path. A symbolic link at the path is
// replaced by the new file, never followed: a link planted in a shared folder cannot make a save
// land elsewhere. An uncommitted replacement leaves nothing behind. Every failure throws
// PlatformError naming the path. On Windows the file always has a name, and a kill leaves it.
class FileReplacement {
  public:
    explicit FileReplacement(const std::wstring& path);
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // For writers that need the open file itself; it stays owned here.
    int Descriptor() const { return fd_; }
    void Write(std::string_view bytes);
    // Positional access for writers that patch what they wrote and read it back; safe from
    // several threads at once.
    void Write_at(const char* data, std::size_t size, std::uint64_t offset);
    std::size_t Read_at(char* buffer, std::size_t size, std::uint64_t offset) const;
    // Empties the file, to write it again from the start.
    void Truncate();
    // Flushes the file to the disk and puts it in the place of the old one.
    void Commit();

  private:
    void Fail(int error);
    void Name_temporary();

    std::wstring path_;
    std::string target_, folder_;
    std::string tempPath_;  // empty while the file has no name; on Windows the bare name
    int fd_ = -1;           // on Windows the handle, which fits in 32 bits
};

}  // namespace brelvik
