#include "packer/zipreader.h"

#include <zlib.h>

#include <algorithm>
#include <optional>

#include "platform/codepage.h"

namespace brelvik {

namespace {

constexpr std::uint32_t kCentralSignature = 0x02014b50;
constexpr std::uint32_t kLocalSignature = 0x04034b50;
constexpr std::uint32_t kEndSignature = 0x06054b50;
constexpr std::uint32_t kZip64EndSignature = 0x06064b50;
constexpr std::uint32_t kZip64LocatorSignature = 0x07064b50;
constexpr std::uint32_t kDescriptorSignature = 0x08074b50;
constexpr std::size_t kEndSize = 22;
constexpr std::size_t kCentralSize = 46;
constexpr std::size_t kLocalSize = 30;
constexpr std::uint32_t k32 = 0xFFFFFFFF;
constexpr std::uint16_t kUtf8Names = 1 << 11;
constexpr std::uint16_t kHasDescriptor = 1 << 3;
constexpr std::uint16_t kZip64Extra = 0x0001;
constexpr std::uint16_t kUnicodePathExtra = 0x7075;

std::string Read(const ReadAt& read, std::uint64_t offset, std::size_t size) {
    std::string bytes(size, '\0');
    std::size_t done = 0;
    while (done < size) {
        const std::size_t got = read(bytes.data() + done, size - done, offset + done);
        if (got == 0) {
            throw ZipDamage{L"it ends before its records do"};
        }
        done += got;
    }
    return bytes;
}

// The extra field's block of the given id, or empty.
std::string_view Extra_block(std::string_view extra, std::uint16_t id) {
    while (extra.size() >= 4) {
        const std::size_t length = Field(extra, 2, 2);
        if (length > extra.size() - 4) {
            break;
        }
        if (Field(extra, 0, 2) == id) {
            return extra.substr(4, length);
        }
        extra.remove_prefix(4 + length);
    }
    return {};
}

struct EndRecord {
    std::uint64_t entries = 0, directorySize = 0, directoryOffset = 0;
};

EndRecord Read_zip64_end(const ReadAt& read, std::uint64_t endOffset) {
    if (endOffset < 20) {
        throw ZipDamage{L"its zip64 records are missing"};
    }
    const std::string locator = Read(read, endOffset - 20, 20);
    if (Field(locator, 0, 4) != kZip64LocatorSignature) {
        throw ZipDamage{L"its zip64 records are missing"};
    }
    const std::string end = Read(read, Field(locator, 8, 8), 56);
    if (Field(end, 0, 4) != kZip64EndSignature) {
        throw ZipDamage{L"its zip64 end record is damaged"};
    }
    return {Field(end, 32, 8), Field(end, 40, 8), Field(end, 48, 8)};
}

// The end record is the last one whose comment reaches to the end of the file.
EndRecord Read_end(const ReadAt& read, std::uint64_t size) {
    if (size < kEndSize) {
        throw ZipDamage{L"it is too short for a zip archive"};
    }
    const std::size_t tail =
        static_cast<std::size_t>(std::min<std::uint64_t>(size, kEndSize + 0xFFFF));
    const std::string bytes = Read(read, size - tail, tail);
    for (std::size_t at = tail - kEndSize + 1; at-- > 0;) {
        if (Field(bytes, at, 4) != kEndSignature ||
            at + kEndSize + Field(bytes, at + 20, 2) != tail) {
            continue;
        }
        EndRecord end{Field(bytes, at + 10, 2), Field(bytes, at + 12, 4), Field(bytes, at + 16, 4)};
        if (end.entries == 0xFFFF || end.directorySize == k32 || end.directoryOffset == k32) {
            end = Read_zip64_end(read, size - tail + at);
        }
        if (end.directoryOffset > size || end.directorySize > size - end.directoryOffset) {
            throw ZipDamage{L"its central directory lies outside it"};
        }
        return end;
    }
    throw ZipDamage{L"it has no zip end record"};
}

// The 64-bit values of the zip64 field stand in, in order, for the 32-bit fields that say so.
void Widen(ZipCentralEntry& entry, std::size_t extraAt, std::size_t extraLength) {
    const std::string_view extra(entry.record.data() + extraAt, extraLength);
    const std::string_view wide = Extra_block(extra, kZip64Extra);
    std::size_t at = 0;
    const auto next = [&](std::uint64_t& value) {
        if (value != k32) {
            return false;
        }
        if (at + 8 > wide.size()) {
            throw ZipDamage{L"an entry's zip64 field is missing"};
        }
        value = Field(wide, at, 8);
        at += 8;
        return true;
    };
    next(entry.size);
    next(entry.compressedSize);
    if (next(entry.offset)) {
        entry.zip64Offset = true;
        entry.offsetField = static_cast<std::size_t>(wide.data() - entry.record.data()) + at - 8;
    }
}

ZipCentralEntry Parse_central(std::string_view directory, std::size_t& at) {
    if (directory.size() - at < kCentralSize || Field(directory, at, 4) != kCentralSignature) {
        throw ZipDamage{L"its central directory is damaged"};
    }
    const std::size_t nameLength = Field(directory, at + 28, 2);
    const std::size_t extraLength = Field(directory, at + 30, 2);
    const std::size_t length =
        kCentralSize + nameLength + extraLength + Field(directory, at + 32, 2);
    if (directory.size() - at < length) {
        throw ZipDamage{L"its central directory is damaged"};
    }
    ZipCentralEntry entry;
    entry.record = directory.substr(at, length);
    entry.name = entry.record.substr(kCentralSize, nameLength);
    entry.flags = static_cast<std::uint16_t>(Field(entry.record, 8, 2));
    entry.method = static_cast<std::uint16_t>(Field(entry.record, 10, 2));
    entry.crc = static_cast<std::uint32_t>(Field(entry.record, 16, 4));
    entry.compressedSize = Field(entry.record, 20, 4);
    entry.size = Field(entry.record, 24, 4);
    entry.offset = Field(entry.record, 42, 4);
    entry.offsetField = 42;
    Widen(entry, kCentralSize + nameLength, extraLength);
    at += length;
    return entry;
}

constexpr char16_t kCp437High[128] = {
    0xC7,   0xFC,   0xE9,   0xE2,   0xE4,   0xE0,   0xE5,   0xE7,   0xEA,   0xEB,   0xE8,   0xEF,
    0xEE,   0xEC,   0xC4,   0xC5,   0xC9,   0xE6,   0xC6,   0xF4,   0xF6,   0xF2,   0xFB,   0xF9,
    0xFF,   0xD6,   0xDC,   0xA2,   0xA3,   0xA5,   0x20A7, 0x192,  0xE1,   0xED,   0xF3,   0xFA,
    0xF1,   0xD1,   0xAA,   0xBA,   0xBF,   0x2310, 0xAC,   0xBD,   0xBC,   0xA1,   0xAB,   0xBB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557,
    0x255D, 0x255C, 0x255B, 0x2510, 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559,
    0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x3B1,  0xDF,   0x393,  0x3C0,  0x3A3,  0x3C3,  0xB5,   0x3C4,  0x3A6,  0x398,  0x3A9,  0x3B4,
    0x221E, 0x3C6,  0x3B5,  0x2229, 0x2261, 0xB1,   0x2265, 0x2264, 0x2320, 0x2321, 0xF7,   0x2248,
    0xB0,   0x2219, 0xB7,   0x221A, 0x207F, 0xB2,   0x25A0, 0xA0};

std::wstring From_cp437(std::string_view bytes) {
    std::wstring text;
    for (const char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        text +=
            code < 128 ? static_cast<wchar_t>(code) : static_cast<wchar_t>(kCp437High[code - 128]);
    }
    return text;
}

// The Unicode path field holds the name's CRC-32, so that a tool that renamed the entry without
// knowing the field leaves a stale one that must be ignored.
std::optional<std::wstring> Unicode_path(const ZipCentralEntry& entry) {
    const std::size_t extraLength = Field(entry.record, 30, 2);
    const std::string_view field = Extra_block(
        std::string_view(entry.record).substr(kCentralSize + entry.name.size(), extraLength),
        kUnicodePathExtra);
    if (field.size() < 5 || field[0] != 1 ||
        Field(field, 1, 4) !=
            crc32_z(0, reinterpret_cast<const Bytef*>(entry.name.data()), entry.name.size())) {
        return std::nullopt;
    }
    return From_utf8(field.substr(5));
}

}  // namespace

std::vector<ZipCentralEntry> Read_zip_directory(const ReadAt& read, std::uint64_t size) {
    const EndRecord end = Read_end(read, size);
    const std::string directory =
        Read(read, end.directoryOffset, static_cast<std::size_t>(end.directorySize));
    std::vector<ZipCentralEntry> entries;
    for (std::size_t at = 0; at < directory.size();) {
        entries.push_back(Parse_central(directory, at));
        if (entries.back().offset >= end.directoryOffset) {
            throw ZipDamage{L"an entry lies outside the archive's data"};
        }
    }
    // The end record's count may be cut to 16 bits where no zip64 record was written.
    if (entries.size() != end.entries && (entries.size() & 0xFFFF) != end.entries) {
        throw ZipDamage{L"its central directory holds another number of entries than it says"};
    }
    return entries;
}

LocalExtent Read_local_extent(const ReadAt& read, const ZipCentralEntry& entry) {
    const std::string fixed = Read(read, entry.offset, kLocalSize);
    if (Field(fixed, 0, 4) != kLocalSignature) {
        throw ZipDamage{L"an entry's local header is missing"};
    }
    const std::size_t variable = Field(fixed, 26, 2) + Field(fixed, 28, 2);
    LocalExtent extent;
    extent.header = fixed + Read(read, entry.offset + kLocalSize, variable);
    extent.dataOffset = entry.offset + kLocalSize + variable;
    extent.length = kLocalSize + variable + entry.compressedSize;
    if (entry.flags & kHasDescriptor) {
        // CRC and sizes, 64-bit where the entry has zip64 sizes, behind an optional signature.
        const bool wide =
            !Extra_block(std::string_view(extent.header).substr(kLocalSize + Field(fixed, 26, 2)),
                         kZip64Extra)
                 .empty();
        const std::string signature = Read(read, extent.dataOffset + entry.compressedSize, 4);
        extent.length +=
            (Field(signature, 0, 4) == kDescriptorSignature ? 4 : 0) + (wide ? 20 : 12);
    }
    return extent;
}

std::vector<std::wstring> Entry_name_readings(const ZipCentralEntry& entry) {
    const std::optional<std::wstring> utf8 = From_utf8(entry.name);
    if (entry.flags & kUtf8Names) {
        return {utf8.value_or(From_cp437(entry.name))};
    }
    std::vector<std::wstring> readings;
    if (const std::optional<std::wstring> unicode = Unicode_path(entry)) {
        readings.push_back(*unicode);
    }
    if (utf8) {
        readings.push_back(*utf8);
    }
    readings.push_back(From_cp437(entry.name));
    return readings;
}

std::string With_offset(const ZipCentralEntry& entry, std::uint64_t offset) {
    std::string record = entry.record;
    const int width = entry.zip64Offset ? 8 : 4;
    if (!entry.zip64Offset && offset >= k32) {
        throw ZipDamage{L"a kept entry would move past 4 GiB without room for its offset"};
    }
    for (int i = 0; i < width; ++i) {
        record[entry.offsetField + i] = static_cast<char>(offset >> (8 * i) & 0xFF);
    }
    return record;
}

}  // namespace brelvik
