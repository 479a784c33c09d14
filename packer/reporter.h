#pragma once

#include <functional>
#include <string>
#include <vector>

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

// A report window lists this many skipped files and counts the rest; standard error gets them
// all.
inline constexpr std::size_t kShownSkipped = 10000;

// The texts both report windows show: the title, the line above the progress bar, and what
// came of it.
std::wstring Report_title(const std::wstring& archive);
std::wstring Packing_text(const std::wstring& archive);
std::wstring Outcome_text(int exitCode);

// What a command line asks the program for: the usage that --help writes, and the task with
// the archive it names (empty when it names none).
extern const char kPackUsage[];
struct PackStart {
    PackTask task;
    std::wstring archive;
};
PackStart Pack_start(const std::vector<std::wstring>& arguments);

}  // namespace brelvik
