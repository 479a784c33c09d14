#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace brelvik {

// Reads bytes of an archive at an offset, giving fewer only at its end; may be called from
// several threads at once.
using ReadAt = std::function<std::size_t(char* buffer, std::size_t size, std::uint64_t offset)>;

// The little-endian number of width bytes at the offset of a record.
inline std::uint64_t Field(std::string_view record, std::size_t at, int width) {
    std::uint64_t value = 0;
    for (int i = width - 1; i >= 0; --i) {
        value = value << 8 | static_cast<unsigned char>(record[at + i]);
    }
    return value;
}

// What makes a file no readable zip archive, for the user.
struct ZipDamage {
    std::wstring reason;
};

// One entry as the central directory records it. The record is kept as stored, so that an
// entry carried over into a new archive keeps every byte of it but its offset.
struct ZipCentralEntry {
    std::string record;  // the whole central record: fixed part, name, extra field, comment
    std::string name;    // the stored name's bytes
    std::uint16_t flags = 0, method = 0;
    std::uint32_t crc = 0;
    std::uint64_t compressedSize = 0, size = 0;
    std::uint64_t offset = 0;     // of the local header
    std::size_t offsetField = 0;  // where the offset lies in record: 32 or 64 bits, by its value
    bool zip64Offset = false;
};

// The central directory of a zip archive of the given size, zip64 records included; an empty
// archive (the end record alone) has no entries. Throws ZipDamage.
std::vector<ZipCentralEntry> Read_zip_directory(const ReadAt& read, std::uint64_t size);

// Where an entry's data begin, and how many bytes from its local header on belong to it: the
// header, the data and a data descriptor behind them. Throws ZipDamage.
struct LocalExtent {
    std::uint64_t dataOffset = 0;
    std::uint64_t length = 0;
    std::string header;  // the local header, with its name and extra field
};
LocalExtent Read_local_extent(const ReadAt& read, const ZipCentralEntry& entry);

// The texts the stored name may stand for: UTF-8 alone when flagged so; otherwise a Unicode path
// field that matches the name, the bytes as UTF-8 where they are, and the DOS code page 437
// that zip tools assume, since old tools wrote whatever code page they ran in.
std::vector<std::wstring> Entry_name_readings(const ZipCentralEntry& entry);

// The record with its local header's offset changed to offset, which must not need more bits
// than the stored one had room for.
std::string With_offset(const ZipCentralEntry& entry, std::uint64_t offset);

}  // namespace brelvik
