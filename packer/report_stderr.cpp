#include <QString>
#include <cstdio>

#include "packer/reporter.h"

namespace brelvik {

void Write_summary(const PackResult& result) {
    std::fputs(QString::fromStdWString(Summary_text(result)).toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}

int Pack_to_stderr(const PackTask& task) {
    PackProgress progress;
    const PackResult result = task(progress);
    Write_summary(result);
    return Exit_code(result);
}

}  // namespace brelvik
