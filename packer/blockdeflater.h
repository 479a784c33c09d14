#pragma once

#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace brelvik {

// A piece of one member's data, deflated on its own so that the pieces of a large member can be
// deflated on all cores at once. Joined in order, the outputs of a member's blocks form one
// deflate stream.
struct DeflateBlock {
    std::vector<char> input;
    std::vector<char> dictionary;  // the last 32 KiB of the member before input, if any
    bool last = false;             // ends the member's stream
    // Filled by Deflate, left uninitialised beyond outputSize so that room not written to
    // costs no memory; room a block brings along is used again.
    std::unique_ptr<char[]> output;
    std::size_t outputRoom = 0;
    std::size_t outputSize = 0;
    std::uint32_t crc = 0;  // CRC-32 of input, filled by Deflate
};

// One raw deflate stream at a fixed level, reset for every block; level 0 stores.
// Throws PackFailure when zlib cannot get its memory.
class BlockDeflater {
  public:
    explicit BlockDeflater(int level);
    ~BlockDeflater();
    BlockDeflater(const BlockDeflater&) = delete;
    BlockDeflater& operator=(const BlockDeflater&) = delete;

    void Deflate(DeflateBlock& block);

  private:
    void Check(int status) const;
    void Reserve_output(DeflateBlock& block, std::size_t size);

    int level_;
    z_stream stream_{};
};

}  // namespace brelvik
