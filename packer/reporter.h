#pragma once

#include <functional>
#include <string>

#include "packer/packresult.h"
#include "packer/packrun.h"

namespace brelvik {

using PackTask = std::function<PackResult(PackProgress&)>;

// Both run the task and return its exit code; both write its summary to standard error.
int Pack_to_stderr(const PackTask& task);
// Shows a window with a progress bar while the task runs on a worker thread (Cancel stops it),
// then the summary until the user closes the window; the window names the archive, when there
// is one. Needs the QApplication.
int Pack_in_window(const PackTask& task, const std::wstring& archive);

// The summary on standard error.
void Write_summary(const PackResult& result);

}  // namespace brelvik
