#pragma once

#include <cstdint>
#include <string>

namespace brelvik {

struct CivilTime;

// What the zip records say of one entry.
struct ZipEntryRecord {
    std::string name;  // UTF-8, marked so, unless utf8Name is false
    bool utf8Name = true;
    std::int64_t mtime = 0;
    unsigned perm = 0644;
    bool stored = false;      // else deflated
    bool zip64Local = false;  // the local header carries 64-bit sizes
    std::uint32_t crc = 0;
    std::uint64_t compressedSize = 0;
    std::uint64_t size = 0;
    std::uint64_t offset = 0;  // of the local header
};

// Date and time as MS-DOS keeps them (local time, even seconds), clamped to the years it can say.
std::uint32_t Dos_time(const CivilTime& time);

// Whether an entry of this many bytes needs 64-bit sizes in its local header. Decided before
// its data are deflated, so it leaves room for deflate's growth of data that do not compress.
bool Needs_zip64_local(std::uint64_t size);

// The local header; its length depends only on the name and zip64Local, so that it can be
// written again over itself once the sizes are known.
std::string Local_header(const ZipEntryRecord& entry);
std::string Central_header(const ZipEntryRecord& entry);
// The records behind the central directory, with the zip64 ones where the counts need them.
std::string End_records(std::uint64_t entries, std::uint64_t directoryOffset,
                        std::uint64_t directorySize);

}  // namespace brelvik
