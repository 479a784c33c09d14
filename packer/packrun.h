#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "packer/packjob.h"
#include "packer/packresult.h"

namespace brelvik {

// Shared with the thread that shows progress: bytes of member data written so far and in all,
// and the user's wish to stop.
struct PackProgress {
    std::atomic<std::uint64_t> done{0};
    std::atomic<std::uint64_t> total{0};
    std::atomic<bool> cancel{false};
};

// Packs the job's members into its archive. A member that cannot be packed is skipped and
// reported. The archive is written beside the old one and replaces it only when complete, so a
// failure, a cancel or a kill leaves the old archive as it was.
PackResult Run_pack(const PackJob& job, PackProgress& progress);

// Runs the job a command line asked for, or says why there is none.
PackResult Pack_command(const ParsedArguments& parsed, PackProgress& progress);

}  // namespace brelvik
