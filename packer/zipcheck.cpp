#include "packer/zipcheck.h"

#include <zlib.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "platform/codepage.h"
#include "platform/platform_error.h"

namespace brelvik {

namespace {

constexpr std::size_t kChunk = 1 << 18;
constexpr std::uint16_t kEncrypted = 1;
constexpr std::uint16_t kHasDescriptor = 1 << 3;
constexpr std::uint16_t kStored = 0;
constexpr std::uint16_t kDeflated = 8;

[[noreturn]] void Damaged(const ZipCentralEntry& entry, const std::wstring& what) {
    throw ZipDamage{L"the entry " + From_utf8(entry.name).value_or(L"?") + L" " + what};
}

// The local header must name the entry as the directory does; where it carries no data
// descriptor, its CRC and (unless zip64 holds them) sizes too.
void Check_local(const ZipCentralEntry& entry, const LocalExtent& local) {
    const std::string_view header = local.header;
    if (header.substr(30, Field(header, 26, 2)) != entry.name ||
        Field(header, 8, 2) != entry.method) {
        Damaged(entry, L"has a local header that differs from its directory record");
    }
    if (entry.flags & kHasDescriptor) {
        return;
    }
    const std::uint64_t compressed = Field(header, 18, 4), size = Field(header, 22, 4);
    if (Field(header, 14, 4) != entry.crc ||
        (compressed != 0xFFFFFFFF && compressed != entry.compressedSize) ||
        (size != 0xFFFFFFFF && size != entry.size)) {
        Damaged(entry, L"has a local header that differs from its directory record");
    }
}

class EntryCheck {
  public:
    EntryCheck() : input_(kChunk), output_(kChunk) {
        if (inflateInit2(&stream_, -15) != Z_OK) {
            throw ZipDamage{L"no memory to check it"};
        }
    }
    ~EntryCheck() { inflateEnd(&stream_); }
    EntryCheck(const EntryCheck&) = delete;
    EntryCheck& operator=(const EntryCheck&) = delete;

    void Check(const ReadAt& read, const ZipCentralEntry& entry, const std::atomic<bool>& cancel) {
        const LocalExtent local = Read_local_extent(read, entry);
        Check_local(entry, local);
        if ((entry.flags & kEncrypted) || (entry.method != kStored && entry.method != kDeflated)) {
            return;
        }
        inflateReset(&stream_);
        std::uint32_t crc = 0;
        std::uint64_t size = 0;
        bool ended = entry.method == kStored;
        for (std::uint64_t done = 0; done < entry.compressedSize && !cancel;) {
            const std::size_t want = std::min<std::uint64_t>(kChunk, entry.compressedSize - done);
            const std::size_t got = read(input_.data(), want, local.dataOffset + done);
            if (got == 0) {
                Damaged(entry, L"ends before its data do");
            }
            done += got;
            if (entry.method == kStored) {
                crc = crc32_z(crc, Bytes(input_), got);
                size += got;
                continue;
            }
            stream_.next_in = Bytes(input_);
            stream_.avail_in = static_cast<uInt>(got);
            while (stream_.avail_in > 0 && !ended) {
                stream_.next_out = Bytes(output_);
                stream_.avail_out = static_cast<uInt>(output_.size());
                const int status = inflate(&stream_, Z_NO_FLUSH);
                if (status != Z_OK && status != Z_STREAM_END) {
                    Damaged(entry, L"holds data that do not inflate");
                }
                const std::size_t out = output_.size() - stream_.avail_out;
                crc = crc32_z(crc, Bytes(output_), out);
                size += out;
                ended = status == Z_STREAM_END;
            }
        }
        Drain(entry, ended, crc, size);
        if (!cancel && (!ended || crc != entry.crc || size != entry.size)) {
            Damaged(entry, L"does not give back its data: CRC-32 or size differ");
        }
    }

  private:
    static Bytef* Bytes(std::vector<char>& bytes) { return reinterpret_cast<Bytef*>(bytes.data()); }

    // Output that the last input left inside the inflater.
    void Drain(const ZipCentralEntry& entry, bool& ended, std::uint32_t& crc, std::uint64_t& size) {
        while (!ended && entry.method == kDeflated) {
            stream_.next_out = Bytes(output_);
            stream_.avail_out = static_cast<uInt>(output_.size());
            const int status = inflate(&stream_, Z_NO_FLUSH);
            const std::size_t out = output_.size() - stream_.avail_out;
            crc = crc32_z(crc, Bytes(output_), out);
            size += out;
            ended = status == Z_STREAM_END;
            if (out == 0 || (status != Z_OK && status != Z_STREAM_END)) {
                return;
            }
        }
    }

    z_stream stream_{};
    std::vector<char> input_, output_;
};

}  // namespace

void Check_zip(const ReadAt& read, std::uint64_t size, std::uint64_t expectedEntries,
               const std::atomic<bool>& cancel) {
    const std::vector<ZipCentralEntry> entries = Read_zip_directory(read, size);
    if (entries.size() != expectedEntries) {
        throw ZipDamage{L"it holds " + std::to_wstring(entries.size()) + L" entries instead of " +
                        std::to_wstring(expectedEntries)};
    }
    std::atomic<std::size_t> next{0};
    std::mutex mutex;
    std::optional<ZipDamage> damage;
    const auto work = [&] {
        try {
            EntryCheck check;
            for (std::size_t i; !cancel && (i = next++) < entries.size();) {
                check.Check(read, entries[i], cancel);
            }
        } catch (const ZipDamage& found) {
            const std::lock_guard lock(mutex);
            damage = found;
            next = entries.size();
        } catch (const PlatformError& error) {
            const std::lock_guard lock(mutex);
            damage = ZipDamage{L"it cannot be read back: " + error.System_text()};
            next = entries.size();
        }
    };
    const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::jthread> workers;
    for (unsigned i = 1; i < threads && i < entries.size(); ++i) {
        workers.emplace_back(work);
    }
    work();
    workers.clear();
    if (damage) {
        throw *damage;
    }
}

}  // namespace brelvik
