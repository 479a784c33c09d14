// Packer entries that point nowhere and packers that end at once, started as "Pack it" starts
// them: the command line composed from the entry goes to Start_process.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "packing/packcommand.h"
#include "platform/platform_error.h"
#include "platform/process.h"
#include "tests/support/temp_folder.h"

namespace brelvik {
namespace {

namespace fs = std::filesystem;

bool Has_children() {
    return !(waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD);
}

void Write_file(const fs::path& path, const std::string& text, fs::perms perms) {
    std::ofstream(path, std::ios::binary) << text;
    fs::permissions(path, perms);
}

// "Pack it" for tank.pbo with the given packer and registry entry.
std::wstring Pack_command(Packer packer, const fs::path& program) {
    PackRequest request;
    request.packer = packer;
    request.type = ArchiveType::Rar;
    request.packerEntry = program.wstring() + L",0";
    request.folder = L"/home/me/addons";
    request.selectedFile = L"tank.pbo";
    const PackCommand command = Compose_packcommand(request);
    EXPECT_EQ(command.message, L"") << program;
    return command.commandLine;
}

TEST(PackerFaults, AnEntryThatPointsNowhereFailsWithTheCommandLineAndRunsNothing) {
    const test::TempFolder folder;
    const fs::path marker = folder / "ran";
    const fs::path plain = folder / "plain.exe";
    Write_file(plain, "not a program", fs::perms::owner_read | fs::perms::owner_write);
    // Without "#!" the system refuses it; nothing may hand it to a shell instead.
    const fs::path script = folder / "script.exe";
    Write_file(script, "touch " + marker.string() + "\n", fs::perms::owner_all);
    fs::create_directory(folder / "Z");
    const struct {
        const char* what;
        Packer packer;
        fs::path program;
    } cases[] = {
        {"a program that is gone", Packer::WinRar, folder / "gone" / "rarpack.exe"},
        {"a folder", Packer::WinRar, folder / "Z"},
        {"a file that is no program", Packer::WinRar, plain},
        {"a script without #!", Packer::WinRar, script},
        {"a WinZip folder without wzzip.exe", Packer::WinZip, folder / "Z" / "winzip32.exe"},
    };
    for (const auto& c : cases) {
        const std::wstring line = Pack_command(c.packer, c.program);
        try {
            Start_process(line);
            ADD_FAILURE() << c.what << " started";
        } catch (const PlatformError& error) {
            EXPECT_EQ(error.Path(), line) << c.what;
            EXPECT_FALSE(error.System_text().empty()) << c.what;
        }
    }
    EXPECT_FALSE(fs::exists(marker)) << "a shell ran the script";
    EXPECT_FALSE(Has_children());
}

// Start_process returns while the packer still runs, and however the packer ends, it leaves no
// zombie behind. Each packer waits for a go file (a minute at most), then writes down its
// arguments and ends.
TEST(PackerFaults, APackerIsNotWaitedForHoweverItEnds) {
    const test::TempFolder folder;
    const std::string waitThenRecord =
        "#!/bin/sh\n"
        "i=0; while [ ! -e \"$0.go\" ] && [ $i -lt 600 ]; do sleep 0.1; i=$((i+1)); done\n"
        "echo \"$@\" >\"$0.tmp\" && mv \"$0.tmp\" \"$0.args\"\n";
    const struct {
        const char* what;
        std::string ending;
    } cases[] = {
        {"success", "exit 0\n"},
        {"failure", "exit 3\n"},
        {"killed", "kill -KILL $$\n"},
    };
    for (const auto& c : cases) {
        const fs::path program = folder / c.what;
        Write_file(program, waitThenRecord + c.ending, fs::perms::owner_all);
        const fs::path args = program.string() + ".args";

        EXPECT_NO_THROW(Start_process(Pack_command(Packer::WinRar, program))) << c.what;
        EXPECT_FALSE(fs::exists(args)) << c.what << ": the start waited for the packer";
        std::ofstream(program.string() + ".go");

        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!fs::exists(args) && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        std::ifstream in(args);
        const std::string received(std::istreambuf_iterator<char>(in), {});
        EXPECT_NE(received.find("/home/me/addons/tank.pbo"), std::string::npos) << c.what;
    }
    EXPECT_FALSE(Has_children());
}

}  // namespace
}  // namespace brelvik
