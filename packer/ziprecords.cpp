#include "packer/ziprecords.h"

#include <algorithm>

#include "platform/memberfile.h"

namespace brelvik {

namespace {

constexpr std::uint32_t k32 = 0xFFFFFFFF;  // a 32-bit field that points to the zip64 one
constexpr std::uint16_t k16 = 0xFFFF;
constexpr std::uint16_t kUtf8Names = 1 << 11;
constexpr std::uint16_t kMadeByUnix = (3 << 8) | 63;
constexpr std::uint16_t kZip64Extra = 0x0001;
constexpr std::uint16_t kTimeExtra = 0x5455;
constexpr std::uint32_t kRegularFile = 0100000;

void Put16(std::string& out, std::uint16_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8);
}

void Put32(std::string& out, std::uint32_t value) {
    Put16(out, static_cast<std::uint16_t>(value & 0xFFFF));
    Put16(out, static_cast<std::uint16_t>(value >> 16));
}

void Put64(std::string& out, std::uint64_t value) {
    Put32(out, static_cast<std::uint32_t>(value & k32));
    Put32(out, static_cast<std::uint32_t>(value >> 32));
}

std::uint32_t Field32(std::uint64_t value) {
    return value >= k32 ? k32 : static_cast<std::uint32_t>(value);
}

}  // namespace

// Before 1980 and after 2107 no DOS date can say the time: the nearest one that can stands in.
std::uint32_t Dos_time(const CivilTime& time) {
    if (time.year < 1980) {
        return Dos_time({1980, 1, 1, 0, 0, 0});
    }
    if (time.year > 2107) {
        return Dos_time({2107, 12, 31, 23, 59, 58});
    }
    const auto day =
        static_cast<std::uint32_t>((time.year - 1980) << 9 | time.month << 5 | time.day);
    return day << 16 |
           static_cast<std::uint32_t>(time.hour << 11 | time.minute << 5 | time.second / 2);
}

namespace {

// The exact modification time in seconds, which readers prefer to the DOS time.
std::string Time_extra(std::int64_t mtime) {
    std::string extra;
    Put16(extra, kTimeExtra);
    Put16(extra, 5);
    extra += '\1';
    Put32(extra, static_cast<std::uint32_t>(static_cast<std::int32_t>(
                     std::clamp<std::int64_t>(mtime, INT32_MIN, INT32_MAX))));
    return extra;
}

// The fields that both headers share, from the version needed to the length of the extra field.
void Put_common(std::string& out, const ZipEntryRecord& entry, bool zip64, std::uint64_t size,
                std::uint64_t compressedSize, std::size_t extraLength) {
    Put16(out, zip64 ? 45 : entry.stored ? 10 : 20);
    Put16(out, entry.utf8Name ? kUtf8Names : 0);
    Put16(out, entry.stored ? 0 : 8);
    Put32(out, Dos_time(Local_time(entry.mtime)));
    Put32(out, entry.crc);
    Put32(out, Field32(compressedSize));
    Put32(out, Field32(size));
    Put16(out, static_cast<std::uint16_t>(entry.name.size()));
    Put16(out, static_cast<std::uint16_t>(extraLength));
}

}  // namespace

bool Needs_zip64_local(std::uint64_t size) {
    // Deflate grows data that do not compress by a few bytes in 16 KiB at most.
    return size + size / 256 + 1024 >= k32;
}

std::string Local_header(const ZipEntryRecord& entry) {
    std::string extra;
    if (entry.zip64Local) {
        Put16(extra, kZip64Extra);
        Put16(extra, 16);
        Put64(extra, entry.size);
        Put64(extra, entry.compressedSize);
    }
    extra += Time_extra(entry.mtime);
    std::string out;
    Put32(out, 0x04034b50);
    const std::uint64_t forced = entry.zip64Local ? k32 : 0;
    Put_common(out, entry, entry.zip64Local, std::max(entry.size, forced),
               std::max(entry.compressedSize, forced), extra.size());
    return out + entry.name + extra;
}

std::string Central_header(const ZipEntryRecord& entry) {
    std::string wide;  // the 64-bit values, in the order the format gives them
    for (const std::uint64_t value : {entry.size, entry.compressedSize, entry.offset}) {
        if (value >= k32) {
            Put64(wide, value);
        }
    }
    std::string extra;
    if (!wide.empty()) {
        Put16(extra, kZip64Extra);
        Put16(extra, static_cast<std::uint16_t>(wide.size()));
        extra += wide;
    }
    extra += Time_extra(entry.mtime);
    std::string out;
    Put32(out, 0x02014b50);
    Put16(out, kMadeByUnix);
    Put_common(out, entry, entry.zip64Local || !wide.empty(), entry.size, entry.compressedSize,
               extra.size());
    Put16(out, 0);  // comment
    Put16(out, 0);  // disk
    Put16(out, 0);  // internal attributes
    Put32(out, (kRegularFile | entry.perm) << 16);
    Put32(out, Field32(entry.offset));
    return out + entry.name + extra;
}

std::string End_records(std::uint64_t entries, std::uint64_t directoryOffset,
                        std::uint64_t directorySize) {
    std::string out;
    if (entries >= k16 || directoryOffset >= k32 || directorySize >= k32) {
        Put32(out, 0x06064b50);
        Put64(out, 44);  // what follows of this record
        Put16(out, kMadeByUnix);
        Put16(out, 45);
        Put32(out, 0);  // this disk
        Put32(out, 0);  // the directory's disk
        Put64(out, entries);
        Put64(out, entries);
        Put64(out, directorySize);
        Put64(out, directoryOffset);
        Put32(out, 0x07064b50);
        Put32(out, 0);
        Put64(out, directoryOffset + directorySize);
        Put32(out, 1);  // disks in all
    }
    Put32(out, 0x06054b50);
    Put16(out, 0);
    Put16(out, 0);
    const std::uint16_t count = entries >= k16 ? k16 : static_cast<std::uint16_t>(entries);
    Put16(out, count);
    Put16(out, count);
    Put32(out, Field32(directorySize));
    Put32(out, Field32(directoryOffset));
    Put16(out, 0);  // comment
    return out;
}

}  // namespace brelvik
