#pragma once

#include <archive.h>
#include <archive_entry.h>

#include <cstddef>
#include <memory>
#include <string>

namespace brelvik {

// An existing zip archive read entry by entry. Every failure throws PackFailure. libarchive
// hands names over through the locale: the program runs with a UTF-8 LC_CTYPE.
class ZipReader {
  public:
    explicit ZipReader(const std::wstring& path);

    // The next entry, owned by the reader until the next call; nullptr after the last.
    archive_entry* Next();
    // Data of the current entry; 0 at its end.
    std::size_t Read(char* buffer, std::size_t size);

  private:
    [[noreturn]] void Fail() const;

    std::unique_ptr<archive, decltype(&archive_read_free)> archive_;
    std::wstring path_;
};

// The name an entry is stored under.
std::wstring Entry_name(archive_entry* entry);

}  // namespace brelvik
