#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>

#include "platform/codepage.h"
#include "platform/regaccess.h"
#include "platform/settings_store.h"
#include "tests/support/mount_faults.h"
#include "tests/support/temp_folder.h"

// What only the settings store has: its file, its first start, and input it cannot use.

namespace brelvik {
namespace {

using namespace std::string_literals;

const std::wstring kVeldrun = L"SOFTWARE\\Quorvane\\Veldrun";
const std::string kStore =
    "Windows Registry Editor Version 5.00\n\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Quorvane\\Veldrun]\n"
    "\"VDRFC\"=\"/home/me/addons\"\n";

std::string Read(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void Write(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

RegValue Last_folder(RegAccess& reg) {
    return reg.Read_setting(kHkeyLocalMachine, kVeldrun, L"VDRFC");
}

void Store_last_folder(RegAccess& reg, const std::wstring& folder) {
    reg.Write_setting(kHkeyLocalMachine, kVeldrun, L"VDRFC", folder, kRegSz);
}

TEST(SettingsStore, FirstStartCreatesTheFolderAndTheLastFolderKey) {
    const test::TempFolder config;
    const std::filesystem::path path = config / "missing" / "brelvik" / "registry.reg";
    RegAccess reg(path);
    EXPECT_EQ(Last_folder(reg), RegValue());

    Store_last_folder(reg, L"/home/me/addons");
    EXPECT_EQ(Last_folder(reg), RegValue(std::wstring(L"/home/me/addons")));
    EXPECT_EQ(Read(path), kStore);
}

TEST(SettingsStore, AStoreEditedByHandIsReadAgainEvenAtTheSameSizeAndMoment) {
    const test::TempFolder config;
    const std::filesystem::path path = config / "registry.reg";
    Write(path, kStore);
    RegAccess reg(path);
    ASSERT_EQ(Last_folder(reg), RegValue(std::wstring(L"/home/me/addons")));
    std::string edited = kStore;
    edited.replace(edited.find("addons"), 6, "addonz");
    Write(path, edited);
    EXPECT_EQ(Last_folder(reg), RegValue(std::wstring(L"/home/me/addonz")));
}

TEST(SettingsStore, AnExistingStoreIsNotRewrittenAtStart) {
    const test::TempFolder config;
    const std::string handWritten = "REGEDIT4\r\n; mine\r\n";
    Write(config / "registry.reg", handWritten);
    RegAccess reg(config / "registry.reg");
    Store_last_folder(reg, L"/x");  // the key is missing: nothing is written
    EXPECT_EQ(Read(config / "registry.reg"), handWritten);
}

// As a registry editor on 64-bit Windows exports the game's key: the folder is restored, and
// "Exit" stores it there, in a file the same reader reads again.
TEST(SettingsStore, AnExportFrom64BitWindowsHoldsTheGamesKey) {
    const test::TempFolder config;
    const std::filesystem::path path = config / "registry.reg";
    const auto exported = [](const std::wstring& folder) {
        return To_utf16le(
            L"\uFEFFWindows Registry Editor Version 5.00\r\n\r\n"
            L"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Quorvane\\Veldrun]\r\n"
            L"\"VDRFC\"=\"" +
            folder + L"\"\r\n");
    };
    Write(path, exported(L"C:\\\\Addons"));
    RegAccess reg(path);
    EXPECT_EQ(Last_folder(reg), RegValue(std::wstring(L"C:\\Addons")));
    Store_last_folder(reg, L"/home/me/addons");
    EXPECT_EQ(Read(path), exported(L"/home/me/addons"));
    EXPECT_EQ(Last_folder(reg), RegValue(std::wstring(L"/home/me/addons")));
}

TEST(SettingsStore, UnusableInputReadsAsEmptyIsKeptAndIsReportedOnce) {
    const test::TempFolder config;
    const struct {
        const char* what;
        std::string bytes;
        std::string said;
    } cases[] = {
        {"truncated", kStore.substr(0, kStore.size() - 12), ", line 4: "},
        {"binary garbage", kStore.substr(0, 60) + "\x00\xFF\xFE\x89PNG\r\n\x1A\n"s, ", line 3: "},
        {"no first line", kStore.substr(kStore.find('[')), ", line 1: "},
        {"50 MB", kStore + std::string(50u << 20, ';'), "larger than 8 MiB"},
    };
    for (const auto& c : cases) {
        const std::filesystem::path path = config / (std::string(c.what) + ".reg");
        Write(path, c.bytes);
        testing::internal::CaptureStderr();
        RegAccess reg(path);
        EXPECT_EQ(Last_folder(reg), RegValue()) << c.what;
        Store_last_folder(reg, L"/elsewhere");
        EXPECT_EQ(Last_folder(reg), RegValue()) << c.what;
        const std::string said = testing::internal::GetCapturedStderr();

        EXPECT_TRUE(Read(path) == c.bytes) << c.what << ": the store was changed";
        EXPECT_NE(said.find(path.string()), std::string::npos) << said;
        EXPECT_NE(said.find(c.said), std::string::npos) << said;
        EXPECT_EQ(said.find('\n'), said.size() - 1) << c.what << " was said more than once:\n"
                                                    << said;
    }
}

TEST(SettingsStore, AStoreWithoutAPlaceToLiveReadsAsEmpty) {
    const test::TempFolder config;
    Write(config / "file", "a regular file where a folder should be");
    testing::internal::CaptureStderr();
    RegAccess below_a_file(config / "file" / "brelvik" / "registry.reg");
    RegAccess nowhere{std::filesystem::path()};
    for (RegAccess* reg : {&below_a_file, &nowhere}) {
        Store_last_folder(*reg, L"/x");
        EXPECT_EQ(Last_folder(*reg), RegValue());
    }
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(Read(config / "file"), "a regular file where a folder should be");
}

TEST(SettingsStore, AReadOnlyConfigurationFolder) {
    const test::TempFolder config;
    std::filesystem::create_directory(config / "brelvik");
    if (!test::Mount_readonly(config / "brelvik")) {
        GTEST_SKIP() << "read-only bind mounts are not permitted here";
    }
    const test::ScopedMount mount(config / "brelvik");
    testing::internal::CaptureStderr();
    RegAccess reg(config / "brelvik" / "registry.reg");
    Store_last_folder(reg, L"/x");
    EXPECT_EQ(Last_folder(reg), RegValue());
    EXPECT_NE(testing::internal::GetCapturedStderr().find("cannot save"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_empty(config / "brelvik"));
}

TEST(SettingsStore, AFullDiskKeepsTheOldStore) {
    const test::TempFolder config;
    if (!test::Mount_tiny_tmpfs(config.Path(), 16 * 1024)) {
        GTEST_SKIP() << "tmpfs mounts are not permitted here";
    }
    const test::ScopedMount mount(config.Path());
    Write(config / "registry.reg", kStore);
    RegAccess reg(config / "registry.reg");
    Write(config / "filler", std::string(64 * 1024, 'f'));  // takes what space is left

    testing::internal::CaptureStderr();
    Store_last_folder(reg, std::wstring(8 * 1024, L'n'));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("cannot save"), std::string::npos);
    EXPECT_EQ(Read(config / "registry.reg"), kStore);
    EXPECT_EQ(Last_folder(reg), RegValue(std::wstring(L"/home/me/addons")));
}

// A writer killed at any moment leaves either the old store or the new one, never a mixture.
TEST(SettingsStore, AnInterruptedWriteLeavesAWholeStore) {
    const test::TempFolder config;
    const std::filesystem::path path = config / "registry.reg";
    Write(path, kStore);
    const pid_t writer = fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
        RegAccess reg(path);
        for (int i = 0;; ++i) {
            Store_last_folder(reg, L"/folder/" + std::to_wstring(i) + std::wstring(4000, L'x'));
        }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    kill(writer, SIGKILL);
    waitpid(writer, nullptr, 0);

    const auto parsed = Parse_store(Read(path));
    ASSERT_TRUE(std::holds_alternative<Store>(parsed));
    const StoreValue* value =
        Find_value(std::get<Store>(parsed), L"HKEY_LOCAL_MACHINE\\" + kVeldrun, L"VDRFC");
    ASSERT_NE(value, nullptr);
    EXPECT_TRUE(
        value->text == L"/home/me/addons" ||
        (value->text.starts_with(L"/folder/") && value->text.ends_with(std::wstring(4000, L'x'))))
        << To_utf8(value->text.substr(0, 40));
}

TEST(SettingsStore, DefaultPlace) {
    const char* const savedConfig = std::getenv("XDG_CONFIG_HOME");
    const char* const savedHome = std::getenv("HOME");
    const std::optional<std::string> config =
        savedConfig ? std::optional<std::string>(savedConfig) : std::nullopt;
    const std::optional<std::string> home =
        savedHome ? std::optional<std::string>(savedHome) : std::nullopt;
    const struct {
        const char* config;
        const char* home;
        std::filesystem::path expected;
    } cases[] = {
        {"/cfg", "/home/me", "/cfg/brelvik/registry.reg"},
        {nullptr, "/home/me", "/home/me/.config/brelvik/registry.reg"},
        {"", "/home/me", "/home/me/.config/brelvik/registry.reg"},
        {"relative/cfg", "/home/me", "/home/me/.config/brelvik/registry.reg"},
    };
    for (const auto& c : cases) {
        c.config ? setenv("XDG_CONFIG_HOME", c.config, 1) : unsetenv("XDG_CONFIG_HOME");
        setenv("HOME", c.home, 1);
        EXPECT_EQ(Default_store_path(), c.expected);
    }
    config ? setenv("XDG_CONFIG_HOME", config->c_str(), 1) : unsetenv("XDG_CONFIG_HOME");
    home ? setenv("HOME", home->c_str(), 1) : unsetenv("HOME");
}

// A configuration folder named in another encoding than UTF-8 is the folder the store lives in.
TEST(SettingsStore, TheConfigurationFolderKeepsItsBytes) {
    const test::TempFolder temp;
    const char* const saved = std::getenv("XDG_CONFIG_HOME");
    const std::optional<std::string> config =
        saved ? std::optional<std::string>(saved) : std::nullopt;
    setenv("XDG_CONFIG_HOME", (temp / "conf\xE9").c_str(), 1);
    { const RegAccess registry; }
    config ? setenv("XDG_CONFIG_HOME", config->c_str(), 1) : unsetenv("XDG_CONFIG_HOME");
    EXPECT_TRUE(std::filesystem::exists(temp / "conf\xE9" / "brelvik" / "registry.reg"));
}

// Found while probing faults: a store that was a named pipe kept the program waiting at start,
// and one that led to a device such as /dev/zero filled the memory. Each now reads as empty,
// is reported, and stays as it is. (/dev/null stands in for the device: it ends at once.)
TEST(SettingsStore, AStoreThatIsNoFileReadsAsEmpty) {
    const test::TempFolder config;
    const std::filesystem::path pipe = config / "pipe.reg";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const std::filesystem::path device = config / "device.reg";
    std::filesystem::create_symlink("/dev/null", device);
    for (const std::filesystem::path& path : {pipe, device}) {
        // The alarm ends a start that waits forever, and the test fails instead of hanging.
        EXPECT_EXIT(
            {
                alarm(10);
                RegAccess reg(path);
                Store_last_folder(reg, L"/x");
                std::_Exit(Last_folder(reg) == RegValue() ? 0 : 1);
            },
            testing::ExitedWithCode(0), "cannot read the settings store")
            << path;
        EXPECT_TRUE(std::filesystem::is_fifo(pipe));
        EXPECT_TRUE(std::filesystem::is_symlink(device));
    }
}

}  // namespace
}  // namespace brelvik
