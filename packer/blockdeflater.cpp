#include "packer/blockdeflater.h"

#include <algorithm>

#include "packer/packfailure.h"

namespace brelvik {

namespace {

// Raw deflate with zlib's default memory level: what zip tools write.
constexpr int kWindowBits = -15;
constexpr int kMemoryLevel = 8;
// What a sync flush may add to deflate's bound, which counts only a finished stream.
constexpr std::size_t kFlushRoom = 64;

Bytef* Bytes(std::vector<char>& bytes) {
    return reinterpret_cast<Bytef*>(bytes.data());
}

}  // namespace

BlockDeflater::BlockDeflater(int level) : level_(level) {
    if (level_ > 0) {
        Check(deflateInit2(&stream_, level_, Z_DEFLATED, kWindowBits, kMemoryLevel,
                           Z_DEFAULT_STRATEGY));
    }
}

BlockDeflater::~BlockDeflater() {
    if (level_ > 0) {
        deflateEnd(&stream_);
    }
}

void BlockDeflater::Deflate(DeflateBlock& block) {
    block.crc = crc32_z(0, Bytes(block.input), block.input.size());
    if (level_ == 0) {
        block.outputSize = 0;
        Reserve_output(block, block.input.size());
        std::copy(block.input.begin(), block.input.end(), block.output.get());
        block.outputSize = block.input.size();
        return;
    }
    block.outputSize = 0;
    Check(deflateReset(&stream_));
    if (!block.dictionary.empty()) {
        Check(deflateSetDictionary(&stream_, Bytes(block.dictionary),
                                   static_cast<uInt>(block.dictionary.size())));
    }
    stream_.next_in = Bytes(block.input);
    stream_.avail_in = static_cast<uInt>(block.input.size());
    // A block that is not the last ends on a byte boundary with an empty stored block, so that
    // the next one's output can follow it directly.
    const int flush = block.last ? Z_FINISH : Z_SYNC_FLUSH;
    Reserve_output(block, deflateBound(&stream_, stream_.avail_in) + kFlushRoom);
    for (;;) {
        stream_.next_out = reinterpret_cast<Bytef*>(block.output.get()) + block.outputSize;
        stream_.avail_out = static_cast<uInt>(block.outputRoom - block.outputSize);
        const int status = deflate(&stream_, flush);
        Check(status == Z_BUF_ERROR ? Z_OK : status);
        block.outputSize = block.outputRoom - stream_.avail_out;
        if (block.last ? status == Z_STREAM_END : stream_.avail_out != 0) {
            return;
        }
        Reserve_output(block, 2 * block.outputRoom);
    }
}

// Room for size bytes of output, keeping what is there.
void BlockDeflater::Reserve_output(DeflateBlock& block, std::size_t size) {
    if (block.outputRoom >= size) {
        return;
    }
    auto room = std::make_unique_for_overwrite<char[]>(size);
    std::copy_n(block.output.get(), block.outputSize, room.get());
    block.output = std::move(room);
    block.outputRoom = size;
}

void BlockDeflater::Check(int status) const {
    if (status < Z_OK) {
        throw PackFailure(L"Cannot compress: zlib failed with code " + std::to_wstring(status) +
                          L".");
    }
}

}  // namespace brelvik
