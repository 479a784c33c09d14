#include "packer/blockdeflater.h"

#include "packer/packfailure.h"

namespace brelvik {

namespace {

// Raw deflate with zlib's default memory level: what zip tools write.
constexpr int kWindowBits = -15;
constexpr int kMemoryLevel = 8;

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
        block.output = block.input;
        return;
    }
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
    block.output.resize(deflateBound(&stream_, stream_.avail_in) + 16);
    std::size_t produced = 0;
    for (;;) {
        if (produced == block.output.size()) {
            block.output.resize(block.output.size() * 2);
        }
        stream_.next_out = Bytes(block.output) + produced;
        stream_.avail_out = static_cast<uInt>(block.output.size() - produced);
        const int status = deflate(&stream_, flush);
        Check(status == Z_BUF_ERROR ? Z_OK : status);
        produced = block.output.size() - stream_.avail_out;
        if (block.last ? status == Z_STREAM_END : stream_.avail_out != 0) {
            break;
        }
    }
    block.output.resize(produced);
}

void BlockDeflater::Check(int status) const {
    if (status < Z_OK) {
        throw PackFailure(L"Cannot compress: zlib failed with code " + std::to_wstring(status) +
                          L".");
    }
}

}  // namespace brelvik
