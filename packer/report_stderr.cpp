#include <cstdio>

#include "packer/reporter.h"
#include "platform/codepage.h"

namespace brelvik {

void Write_summary(const PackResult& result) {
    // Paths go out as the bytes they were given in.
    std::fputs(To_native(Summary_text(result)).c_str(), stderr);
    std::fflush(stderr);
}

int Pack_to_stderr(const PackTask& task) {
    PackProgress progress;
    const PackResult result = task(progress);
    Write_summary(result);
    return Exit_code(result);
}

}  // namespace brelvik
