#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "packer/deflatepool.h"
#include "packer/zipreader.h"
#include "packer/ziprecords.h"

namespace brelvik {

// Where the archive goes: bytes written at an offset, so that a local header can be written
// again over itself once its entry's sizes are known. Throws PlatformError when it cannot.
class ZipSink {
  public:
    virtual ~ZipSink() = default;
    virtual void Write_at(const char* data, std::size_t size, std::uint64_t offset) = 0;
};

// A new entry: its stored name (UTF-8, or bytes of no known encoding), time and size where known.
struct NewEntry {
    std::string name;
    bool utf8Name = true;
    std::int64_t mtime = 0;
    std::optional<std::uint64_t> size;
    unsigned perm = 0644;
};

// A zip archive written entry by entry to a seekable device, deflated at the given level (0
// stores). Each entry's data are cut into blocks that are deflated on all cores and joined into
// one deflate stream, so a large member keeps every core busy and small ones go one per core;
// a few blocks per core are held at a time, whatever the sizes. Every failure throws
// PackFailure.
class ZipWriter {
  public:
    // Large enough that the seams between blocks cost next to nothing in size (they add about
    // one block header each), small enough that a member of some MiB spreads over the cores.
    static constexpr std::size_t kBlockSize = 2 << 20;

    ZipWriter(ZipSink& out, int level, std::size_t blockSize = kBlockSize);
    ZipWriter(const ZipWriter&) = delete;
    ZipWriter& operator=(const ZipWriter&) = delete;

    // Ends the entry before.
    void Begin_entry(const NewEntry& entry);
    // Returns once the data are handed to a worker, waiting while too many blocks are held.
    void Write(const char* data, std::size_t size);
    // An entry carried over from another archive as it is stored: its central record (with
    // the offset this writer gives it) and then, through Copy, its local bytes as they are.
    void Begin_copy(const ZipCentralEntry& entry);
    void Copy(const char* data, std::size_t size);
    // Entries begun so far.
    std::uint64_t Entries() const { return count_ + (current_ ? 1 : 0); }
    // Writes the central directory; the archive is complete only after this.
    void Close();

  private:
    struct BlockPlace {
        bool first;
        bool last;
    };

    void Start_block();
    void Submit_block(bool last);
    void End_entry();
    void Write_oldest();
    void Put(const char* data, std::size_t size);

    ZipSink& out_;
    int level_;
    std::size_t blockSize_;
    DeflatePool pool_;
    std::size_t maxPending_;
    std::optional<ZipEntryRecord> current_;  // begun, its last block not yet handed in
    std::uint64_t currentLeft_ = 0;          // of its declared size, to size the next block
    bool currentBegun_ = false;              // a block of it was handed in
    DeflateBlock filling_;                   // of the current entry, not yet handed in
    std::vector<char> dictionary_;
    std::vector<DeflateBlock> spareBlocks_;
    std::deque<BlockPlace> places_;       // one for each block in the pool, in order
    std::deque<ZipEntryRecord> entries_;  // entries with blocks in the pool
    std::uint64_t written_ = 0;
    std::uint64_t count_ = 0;
    std::string directory_;
};

}  // namespace brelvik
