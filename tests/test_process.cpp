#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <thread>

#include "packing/cmdline.h"
#include "platform/codepage.h"
#include "platform/platform_error.h"
#include "platform/process.h"
#include "tests/process_recorder.h"
#include "tests/support/temp_folder.h"

namespace brelvik {
namespace {

class ProcessTest : public ::testing::Test {
  protected:
    // Starts the recorder with these arguments, as a packer command line is composed, and
    // gives what it recorded.
    void Expect_recorded(const std::vector<std::wstring>& arguments) {
        const std::filesystem::path out = folder_ / ("record" + std::to_string(++starts_));
        std::wstring line =
            Quote_argument(test::Recorder_path()) + L" " + Quote_argument(out.wstring());
        for (const std::wstring& argument : arguments) {
            line += L" " + Quote_argument(argument);
        }
        Start_process(line);
        const test::Received received = Parse_record(Wait_for_record(out));
        const test::Received expected = test::Expected_received(line, arguments);
        EXPECT_EQ(received.arguments, expected.arguments) << To_utf8(line);
        EXPECT_EQ(received.commandLine, expected.commandLine);
        EXPECT_EQ(received.showWindow, expected.showWindow);
        EXPECT_EQ(received.consoleProcesses, expected.consoleProcesses);
    }

    // The recorder runs on its own. Its record appears whole, by a rename, when it is done; right
    // then the file may still be held by the rename for a moment.
    static std::string Wait_for_record(const std::filesystem::path& out) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (std::chrono::steady_clock::now() < deadline) {
            std::ifstream in(out, std::ios::binary);
            if (in.is_open()) {
                std::ostringstream bytes;
                bytes << in.rdbuf();
                return bytes.str();
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return {};
    }

    // The record: a line with the show-window number and the count of processes on the
    // recorder's console, a line with the command line, then every argument followed by a NUL.
    static test::Received Parse_record(const std::string& record) {
        test::Received received;
        const std::size_t firstFeed = record.find('\n');
        const std::size_t feed = record.find('\n', firstFeed + 1);
        if (firstFeed == std::string::npos || feed == std::string::npos) {
            ADD_FAILURE() << "the recorder left no record";
            return received;
        }
        std::istringstream(record.substr(0, firstFeed)) >> received.showWindow >>
            received.consoleProcesses;
        received.commandLine =
            From_utf8(record.substr(firstFeed + 1, feed - firstFeed - 1)).value_or(L"");
        for (std::size_t start = feed + 1; start < record.size();) {
            const std::size_t end = record.find('\0', start);
            received.arguments.push_back(
                From_utf8(record.substr(start, end - start)).value_or(L""));
            start = end + 1;
        }
        return received;
    }

    test::TempFolder folder_;
    int starts_ = 0;
};

TEST_F(ProcessTest, ArgumentsReachTheProgramExactly) {
    const std::wstring marker = (folder_ / "ran").wstring();
    const std::vector<std::wstring> cases[] = {
        {L"a", L"-o+", L"@C:\\Rel\\release.txta"},
        {L"C:\\Add ons\\tank.pbo", L"/home/me/add ons/tank.txt", L"\ttab"},
        {L"say \"hi\"", L"\"", L"\"\""},
        {L"back\\slash\\", L"C:\\dir\\\"quoted\\\"", L"two\\\\\"", L"end in space\\"},
        {L"; touch " + marker, L"a;b", L"x && touch " + marker, L"| touch " + marker},
        {L"$(touch " + marker + L")", L"`touch " + marker + L"`", L"${HOME}", L"$PATH"},
        {L"*", L"*.pbo", L"?", L"[a-z]*", L"~"},
        {L"", L"empty before and after", L""},
        {L"t\u00E4nk \u20AC"},
    };
    for (const std::vector<std::wstring>& arguments : cases) {
        Expect_recorded(arguments);
    }
    EXPECT_FALSE(std::filesystem::exists(marker)) << "a shell ran a command";
}

TEST_F(ProcessTest, AProgramThatCannotStartThrowsWithTheSystemText) {
    const std::filesystem::path notAProgram = folder_ / "not-a-program.txt";
    std::ofstream(notAProgram) << "hello";
    const std::wstring marker = (folder_ / "ran").wstring();
    const std::wstring cases[] = {
        Quote_argument((folder_ / "missing" / "rarpack.exe").wstring()) + L" a x.rar",
        L"brelvik-no-such-program-anywhere a b",
        Quote_argument(folder_.Path().wstring()),
        Quote_argument(notAProgram.wstring()),
        L"$(touch " + marker + L")",
        L"",
    };
    for (const std::wstring& line : cases) {
        try {
            Start_process(line);
            ADD_FAILURE() << To_utf8(line) << " started";
        } catch (const PlatformError& error) {
            EXPECT_EQ(error.Path(), line);
            EXPECT_FALSE(error.System_text().empty()) << To_utf8(line);
        }
    }
    EXPECT_FALSE(std::filesystem::exists(marker)) << "a shell ran a command";
}

}  // namespace
}  // namespace brelvik
