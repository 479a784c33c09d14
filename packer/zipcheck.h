#pragma once

#include <atomic>
#include <cstdint>

#include "packer/zipreader.h"

namespace brelvik {

// Reads a written archive back as an unpacker would: the central directory against each local
// header, and every entry's data inflated and checked against its CRC-32 and size, the entries
// spread over all cores. Entries stored by methods other than store and deflate, or encrypted,
// are checked as far as their records go. Throws ZipDamage naming what is wrong, and stops
// early when cancel is set.
void Check_zip(const ReadAt& read, std::uint64_t size, std::uint64_t expectedEntries,
               const std::atomic<bool>& cancel);

}  // namespace brelvik
