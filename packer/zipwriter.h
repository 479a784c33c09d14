#pragma once

#include <archive.h>
#include <archive_entry.h>

#include <QString>
#include <cstddef>
#include <memory>

class QIODevice;

namespace brelvik {

struct EntryDeleter {
    void operator()(archive_entry* entry) const { archive_entry_free(entry); }
};
using EntryPtr = std::unique_ptr<archive_entry, EntryDeleter>;

// A zip archive written entry by entry to a device, deflated at the given level (0 stores).
// Every failure throws PackFailure.
class ZipWriter {
  public:
    ZipWriter(QIODevice& out, int level);
    ZipWriter(const ZipWriter&) = delete;
    ZipWriter& operator=(const ZipWriter&) = delete;

    void Begin_entry(archive_entry* entry);
    void Write(const char* data, std::size_t size);
    // Writes the central directory; the archive is complete only after this.
    void Close();

    // Where libarchive's output goes. A failed write is kept here instead of being reported to
    // libarchive, which would leak its compressor on that path; every call checks it.
    struct Sink {
        QIODevice& out;
        QString error;
    };

  private:
    void Check(int status);

    Sink sink_;  // outlives the archive, whose last words may still go to it
    std::unique_ptr<archive, decltype(&archive_write_free)> archive_;
};

}  // namespace brelvik
