#include "packer/zipwriter.h"

#include <zlib.h>

#include <algorithm>
#include <thread>
#include <utility>

#include "packer/packfailure.h"

namespace brelvik {

namespace {

// Deflate looks back this far: each block is primed with this much of the one before.
constexpr std::size_t kWindow = 32 << 10;
constexpr unsigned kBlocksPerWorker = 3;
constexpr std::uint64_t kMax32 = 0xFFFFFFFF;

unsigned Workers() {
    return std::max(1u, std::thread::hardware_concurrency());
}

ZipEntryRecord Record_of(const NewEntry& entry, int level) {
    ZipEntryRecord record;
    record.name = entry.name;
    record.utf8Name = entry.utf8Name;
    record.mtime = entry.mtime;
    record.perm = entry.perm & 07777;
    record.stored = level == 0;
    // Without a size given, the local header makes room for any.
    record.zip64Local = !entry.size || Needs_zip64_local(*entry.size);
    return record;
}

PackFailure Write_failure(const std::wstring& why) {
    return PackFailure(L"Cannot write the archive: " + why + L".");
}

}  // namespace

ZipWriter::ZipWriter(ZipSink& out, int level, std::size_t blockSize)
    : out_(out),
      level_(level),
      blockSize_(blockSize),
      pool_(level, Workers()),
      maxPending_(kBlocksPerWorker * Workers()) {}

void ZipWriter::Begin_entry(const NewEntry& entry) {
    End_entry();
    current_ = Record_of(entry, level_);
    currentLeft_ = entry.size.value_or(blockSize_);
    currentBegun_ = false;
}

void ZipWriter::Begin_copy(const ZipCentralEntry& entry) {
    End_entry();
    while (pool_.Pending() > 0) {
        Write_oldest();
    }
    try {
        directory_ += With_offset(entry, written_);
    } catch (const ZipDamage& damage) {
        throw Write_failure(damage.reason);
    }
    ++count_;
}

void ZipWriter::Copy(const char* data, std::size_t size) {
    Put(data, size);
}

void ZipWriter::Write(const char* data, std::size_t size) {
    while (size > 0) {
        // A full block goes out only when more data follow, so that the member's last block
        // is never an empty one.
        if (filling_.input.size() == blockSize_) {
            Submit_block(false);
        }
        if (filling_.input.capacity() == 0) {
            Start_block();
        }
        const std::size_t taken = std::min(size, blockSize_ - filling_.input.size());
        filling_.input.insert(filling_.input.end(), data, data + taken);
        currentLeft_ -= std::min<std::uint64_t>(currentLeft_, taken);
        data += taken;
        size -= taken;
    }
}

// Full blocks are used again once written, with their room for output: a large member then
// costs no fresh memory.
void ZipWriter::Start_block() {
    if (currentLeft_ >= blockSize_ && !spareBlocks_.empty()) {
        filling_ = std::move(spareBlocks_.back());
        spareBlocks_.pop_back();
    } else {
        filling_.input.reserve(std::clamp<std::uint64_t>(currentLeft_, 1, blockSize_));
    }
}

void ZipWriter::Close() {
    End_entry();
    while (pool_.Pending() > 0) {
        Write_oldest();
    }
    const std::uint64_t directoryOffset = written_;
    Put(directory_.data(), directory_.size());
    const std::string end = End_records(count_, directoryOffset, directory_.size());
    Put(end.data(), end.size());
}

void ZipWriter::End_entry() {
    if (current_) {
        Submit_block(true);
        current_.reset();
    }
}

void ZipWriter::Submit_block(bool last) {
    while (pool_.Pending() >= maxPending_) {
        Write_oldest();
    }
    DeflateBlock block = std::exchange(filling_, {});
    block.dictionary = dictionary_;
    block.last = last;
    if (last) {
        dictionary_.clear();
    } else {
        dictionary_.assign(block.input.end() - std::min(kWindow, block.input.size()),
                           block.input.end());
    }
    places_.push_back({!currentBegun_, last});
    if (!currentBegun_) {
        entries_.push_back(*current_);
        currentBegun_ = true;
    }
    pool_.Submit(std::move(block));
    while (pool_.Oldest_ready()) {
        Write_oldest();
    }
}

void ZipWriter::Write_oldest() {
    DeflateBlock block = pool_.Take_oldest();
    const BlockPlace place = places_.front();
    places_.pop_front();
    ZipEntryRecord& entry = entries_.front();
    entry.crc = static_cast<std::uint32_t>(
        crc32_combine(entry.crc, block.crc, static_cast<z_off_t>(block.input.size())));
    entry.size += block.input.size();
    entry.compressedSize += block.outputSize;
    if (place.first) {
        entry.offset = written_;
        const std::string header = Local_header(entry);
        Put(header.data(), header.size());
    }
    Put(block.output.get(), block.outputSize);
    if (block.input.capacity() == blockSize_) {
        block.input.clear();
        spareBlocks_.push_back(std::move(block));
    }
    if (!place.last) {
        return;
    }
    if (!entry.zip64Local && (entry.size >= kMax32 || entry.compressedSize >= kMax32)) {
        throw Write_failure(L"a member grew past the size it had");
    }
    if (!place.first) {
        const std::string header = Local_header(entry);  // now with its sizes and CRC
        out_.Write_at(header.data(), header.size(), entry.offset);
    }
    directory_ += Central_header(entry);
    ++count_;
    entries_.pop_front();
}

void ZipWriter::Put(const char* data, std::size_t size) {
    out_.Write_at(data, size, written_);
    written_ += size;
}

}  // namespace brelvik
