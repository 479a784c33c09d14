// brelvik-pack.exe started as brelvik.exe starts it, its archives read back by the packer's own
// zip reader; and its report window driven by window messages.

#include <windows.h>
#include <zlib.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "packer/zipcheck.h"
#include "packer/zipreader.h"
#include "packing/cmdline.h"
#include "platform/codepage.h"
#include "tests/support/temp_folder.h"

namespace brelvik {
namespace {

namespace fs = std::filesystem;

struct Finished {
    DWORD exitCode = 0;
    std::wstring report;  // what it wrote to standard error
};

// The program started with its arguments quoted as the window quotes them, standard error to a
// file; the caller waits for it.
class PackProcess {
  public:
    PackProcess(const std::vector<std::wstring>& arguments, const fs::path& errors, bool window) {
        SetEnvironmentVariableW(L"BRELVIK_PACK_NO_WINDOW", window ? L"0" : L"1");
        std::wstring line = Quote_argument(fs::absolute(BRELVIK_PACK_PROGRAM).wstring());
        for (const std::wstring& argument : arguments) {
            line += L" " + Quote_argument(argument);
        }
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        errors_ = CreateFileW(errors.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                              CREATE_ALWAYS, 0, nullptr);
        EXPECT_NE(errors_, INVALID_HANDLE_VALUE) << "no file for the report";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdError = errors_;
        EXPECT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                   nullptr, &startup, &process_));
        errorsPath_ = errors;
    }
    ~PackProcess() {
        if (process_.hProcess != nullptr) {
            TerminateProcess(process_.hProcess, 99);
            CloseHandle(process_.hProcess);
            CloseHandle(process_.hThread);
        }
        CloseHandle(errors_);
    }

    DWORD Thread() const { return process_.dwThreadId; }

    Finished Wait() {
        EXPECT_EQ(WaitForSingleObject(process_.hProcess, 120000), WAIT_OBJECT_0);
        Finished finished;
        GetExitCodeProcess(process_.hProcess, &finished.exitCode);
        CloseHandle(errors_);
        errors_ = INVALID_HANDLE_VALUE;
        std::ifstream in(errorsPath_, std::ios::binary);
        finished.report = From_native(std::string(std::istreambuf_iterator<char>(in), {}));
        return finished;
    }

  private:
    PROCESS_INFORMATION process_{};
    HANDLE errors_ = INVALID_HANDLE_VALUE;
    fs::path errorsPath_;
};

class PackWin : public ::testing::Test {
  protected:
    Finished Pack(const std::vector<std::wstring>& arguments) {
        // A file of its own for each run: one still held by the run before would keep its text.
        const fs::path errors = temp / ("errors" + std::to_string(++runs) + ".txt");
        return PackProcess(arguments, errors, false).Wait();
    }
    void Write(const fs::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    // Every entry's name and CRC-32, after the whole archive passed the packer's own check.
    std::map<std::string, std::uint32_t> Entries(const fs::path& archive) {
        std::ifstream in(archive, std::ios::binary);
        const std::string zip(std::istreambuf_iterator<char>(in), {});
        const ReadAt read = [&zip](char* buffer, std::size_t size, std::uint64_t offset) {
            const std::size_t got = offset < zip.size() ? std::min(size, zip.size() - offset) : 0;
            std::copy_n(zip.data() + offset, got, buffer);
            return got;
        };
        std::map<std::string, std::uint32_t> entries;
        try {
            const std::vector<ZipCentralEntry> directory = Read_zip_directory(read, zip.size());
            const std::atomic<bool> cancel{false};
            Check_zip(read, zip.size(), directory.size(), cancel);
            for (const ZipCentralEntry& entry : directory) {
                entries[entry.name] = entry.crc;
            }
        } catch (const ZipDamage& damage) {
            ADD_FAILURE() << To_utf8(damage.reason);
        }
        return entries;
    }
    static std::uint32_t Crc(const std::string& bytes) {
        return static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(bytes.data()),
                                                static_cast<uInt>(bytes.size())));
    }

    test::TempFolder temp;
    int runs = 0;
};

// Names no code page holds reach the files through the wide command line; a list file is read,
// a second pack keeps what it does not replace, and what cannot be read is reported.
TEST_F(PackWin, PacksNamesPastTheCodePageAndReportsWhatItSkips) {
    const fs::path addons = temp / L"Add-ons \u0141\u00f3d\u017a \u65e5\u672c";
    fs::create_directories(addons);
    const std::wstring tank = (addons / L"tank \u017e\u03a9.pbo").wstring();
    const std::wstring info = (addons / L"tank \u017e\u03a9.txt").wstring();
    const std::wstring archive = (addons / L"release \u65e5.zip").wstring();
    Write(tank, std::string(7000, 'T'));
    Write(info, "Tank\r\n");
    Write(addons / "list.txt", To_ansi(L"readme.txt\r\n"));
    Write(addons / "readme.txt", "read me");

    const Finished first = Pack({L"-a", L"-ex", archive, tank, info});
    EXPECT_EQ(first.exitCode, 0u) << To_utf8(first.report);
    const std::map<std::string, std::uint32_t> packed{
        {To_utf8(L"tank \u017e\u03a9.pbo"), Crc(std::string(7000, 'T'))},
        {To_utf8(L"tank \u017e\u03a9.txt"), Crc("Tank\r\n")}};
    EXPECT_EQ(Entries(archive), packed);

    Write(info, "Tank 2\r\n");
    const std::wstring missing = (addons / "gone.pbo").wstring();
    SetCurrentDirectoryW(addons.c_str());
    const Finished second = Pack({L"-a", L"-ex", archive, info, L"@list.txt", missing});
    EXPECT_EQ(second.exitCode, 1u) << To_utf8(second.report);
    EXPECT_NE(second.report.find(missing + L": not found"), std::wstring::npos)
        << To_utf8(second.report);
    SetCurrentDirectoryW(temp.Path().c_str());
    std::map<std::string, std::uint32_t> updated = packed;
    updated[To_utf8(L"tank \u017e\u03a9.txt")] = Crc("Tank 2\r\n");
    updated["readme.txt"] = Crc("read me");
    EXPECT_EQ(Entries(archive), updated);
}

// A member another program holds open for writing could change while it is read: it is left
// out, and the archive holds the rest.
TEST_F(PackWin, AMemberOpenForWritingIsSkipped) {
    const fs::path tank = temp / "tank.pbo", info = temp / "tank.txt", archive = temp / "r.zip";
    Write(tank, "PBO");
    Write(info, "Tank");
    const HANDLE writer = CreateFileW(info.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    const Finished finished =
        Pack({L"-a", L"-ex", archive.wstring(), tank.wstring(), info.wstring()});
    CloseHandle(writer);
    EXPECT_EQ(finished.exitCode, 1u) << To_utf8(finished.report);
    EXPECT_NE(finished.report.find(info.wstring() + L": "), std::wstring::npos);
    EXPECT_EQ(Entries(archive), (std::map<std::string, std::uint32_t>{{"tank.pbo", Crc("PBO")}}));
}

// The report window of a running packer, found by its class on the program's thread.
HWND Report_window(DWORD thread) {
    HWND found = nullptr;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (found == nullptr && std::chrono::steady_clock::now() < deadline) {
        EnumThreadWindows(
            thread,
            [](HWND window, LPARAM result) {
                wchar_t name[64];
                GetClassNameW(window, name, 64);
                if (std::wstring(name) == L"BrelvikPackReport" && IsWindowVisible(window)) {
                    *reinterpret_cast<HWND*>(result) = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&found));
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return found;
}

// Asked by message: GetWindowTextW does not ask a control of another process.
std::wstring Text(HWND window) {
    std::wstring text(static_cast<std::size_t>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0)) + 1,
                      L'\0');
    text.resize(static_cast<std::size_t>(
        SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

// The child of the class whose text fills in the report: the summary.
std::wstring Summary(HWND report) {
    const HWND edit = FindWindowExW(report, nullptr, L"Edit", nullptr);
    return edit == nullptr ? L"" : Text(edit);
}

// The summary once the button offers to close the window.
std::wstring Final_summary(HWND report) {
    const HWND button = GetDlgItem(report, IDCANCEL);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (Text(button) != L"Close" && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return Summary(report);
}

// The window shows the result with every skipped file and its reason; Close ends the program.
// Cancel stops a pack at once and leaves nothing behind.
TEST_F(PackWin, TheReportWindowShowsTheResultAndCancels) {
    const fs::path tank = temp / "tank.pbo", archive = temp / "r.zip";
    Write(tank, "PBO");
    {
        PackProcess packer({L"-a", L"-ex", archive.wstring(), tank.wstring(), L"gone.txt"},
                           temp / "errors.txt", true);
        const HWND report = Report_window(packer.Thread());
        ASSERT_NE(report, nullptr);
        EXPECT_NE(Final_summary(report).find(L"gone.txt: not found"), std::wstring::npos)
            << To_utf8(Summary(report));
        EXPECT_TRUE(fs::exists(archive));
        PostMessageW(report, WM_COMMAND, IDCANCEL, 0);
        EXPECT_EQ(packer.Wait().exitCode, 1u);
    }

    // Sparse: gigabytes of nothing to deflate, written in no time.
    const fs::path large = temp / "large.pbo", cancelled = temp / "cancelled.zip";
    {
        const HANDLE file =
            CreateFileW(large.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        LARGE_INTEGER size;
        size.QuadPart = 4LL << 30;
        SetFilePointerEx(file, size, nullptr, FILE_BEGIN);
        SetEndOfFile(file);
        CloseHandle(file);
    }
    PackProcess packer({L"-a", L"-ex", cancelled.wstring(), large.wstring()}, temp / "errors.txt",
                       true);
    const HWND report = Report_window(packer.Thread());
    ASSERT_NE(report, nullptr);
    PostMessageW(report, WM_CLOSE, 0, 0);  // the close box cancels as Cancel does
    EXPECT_NE(Final_summary(report).find(L"Packing was cancelled."), std::wstring::npos)
        << To_utf8(Summary(report));
    PostMessageW(report, WM_CLOSE, 0, 0);
    EXPECT_EQ(packer.Wait().exitCode, 2u);
    EXPECT_EQ(std::distance(fs::directory_iterator(temp.Path()), fs::directory_iterator()), 4)
        << "only the members, the first archive and the errors";
}

}  // namespace
}  // namespace brelvik
