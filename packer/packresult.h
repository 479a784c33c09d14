#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace brelvik {

struct SkippedMember {
    std::wstring path, reason;
};

// What one start of the packer did, for the report and the exit code.
struct PackResult {
    std::wstring archivePath;          // empty when the command line named none
    std::vector<std::wstring> packed;  // members written, as named
    std::size_t kept = 0;              // members of the old archive carried over
    std::vector<SkippedMember> skipped;
    std::wstring failure;  // why nothing was written; then the old archive is untouched
};

// 0 all packed, 1 packed with warnings, 2 nothing packed or a fatal error.
int Exit_code(const PackResult& result);

// The report the user reads, in the window or on standard error.
std::wstring Summary_text(const PackResult& result);

}  // namespace brelvik
