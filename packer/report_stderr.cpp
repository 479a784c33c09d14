#include <cstdio>
#include <limits>

#include "packer/reporter.h"
#include "platform/codepage.h"

namespace brelvik {

void Write_summary(const PackResult& result) {
    // Line by line, however many files were skipped; paths go out as the bytes they came in.
    For_each_summary_line(
        result, std::numeric_limits<std::size_t>::max(),
        [](const std::wstring& line) { std::fputs(To_native(line).c_str(), stderr); });
    std::fflush(stderr);
}

int Pack_to_stderr(const PackTask& task) {
    PackProgress progress;
    const PackResult result = task(progress);
    Write_summary(result);
    return Exit_code(result);
}

}  // namespace brelvik
