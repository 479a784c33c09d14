#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/platform_error.h"
#include "platform/process.h"
#include "tests/process_recorder.h"
#include "tests/support/temp_folder.h"

namespace brelvik {
namespace {

bool Has_children() {
    return !(waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD);
}

TEST(StartProcess, LeavesNoChildBehindToBecomeAZombie) {
    for (int i = 0; i < 3; ++i) {
        Start_process(L"true");
    }
    EXPECT_FALSE(Has_children());
    EXPECT_THROW(Start_process(L"/nonexistent/program"), PlatformError);
    EXPECT_FALSE(Has_children());
}

// PATH is searched for a bare program name only; a name with a "/" is taken as a path.
TEST(StartProcess, SearchesPathOnlyForABareName) {
    const test::TempFolder folder;
    std::filesystem::create_directory(folder / "bin");
    std::filesystem::copy_file(test::Recorder_path(), folder / "bin" / "rec");
    const std::string savedPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", (folder / "bin").c_str(), 1);

    const std::filesystem::path out = folder / "record";
    EXPECT_NO_THROW(Start_process(L"rec " + out.wstring()));
    EXPECT_THROW(Start_process(L"bin/rec " + out.wstring() + L"2"), PlatformError);
    setenv("PATH", savedPath.c_str(), 1);
    EXPECT_FALSE(Has_children());
}

}  // namespace
}  // namespace brelvik
