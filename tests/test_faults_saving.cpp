// The three things the program saves - an info file, a list file and the settings store - each
// saved through the platform layer as the window saves it, while the save cannot succeed or its
// file or folder goes away. Each case checks what survives: the old content whole, no temporary
// file left behind, the failure reported with its path.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "addonlist/addonlist.h"
#include "addonlist/listfile.h"
#include "info/infofile.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/platform_error.h"
#include "platform/regaccess.h"
#include "tests/support/mount_faults.h"
#include "tests/support/temp_folder.h"

namespace brelvik {
namespace {

namespace fs = std::filesystem;

class Saver {
  public:
    virtual ~Saver() = default;
    // Saves a text over the file; gives what the save reported as its failure, empty when none.
    virtual std::wstring Save(const std::wstring& text) = 0;
    // The text the file holds, read back as the program reads it; nothing when it is missing.
    virtual std::optional<std::wstring> Saved_text() = 0;
};

std::wstring Reported(const std::function<void()>& save) {
    try {
        save();
        return {};
    } catch (const PlatformError& error) {
        return error.Message();
    }
}

// The text is the author field of an info file.
class InfoSaver : public Saver {
  public:
    explicit InfoSaver(const fs::path& path) : path_(path.wstring()) {}

    std::wstring Save(const std::wstring& text) override {
        const InfoFields fields{L"Tank", L"", L"", text, L"1.0", L"1.9", L"Read me first"};
        return Reported([&] { files_.Replace_text(path_, Compose_infotext(fields).text); });
    }
    std::optional<std::wstring> Saved_text() override {
        if (!files_.Exists(path_)) {
            return std::nullopt;
        }
        return Parse_infotext(files_.Read_text(path_)).author;
    }

  private:
    std::wstring path_;
    FileAccess files_;
};

// The text is the other file of a list.
class ListSaver : public Saver {
  public:
    explicit ListSaver(const fs::path& path) : path_(path.wstring()) {}

    std::wstring Save(const std::wstring& text) override {
        const std::wstring list = L"C:\\m\\tank.pbo\r\nC:\\m\\tank.txt\r\n/others/\r\n" + text;
        return Reported([&] { files_.Replace_text(path_, Compose_listfile(list)); });
    }
    std::optional<std::wstring> Saved_text() override {
        if (!files_.Exists(path_)) {
            return std::nullopt;
        }
        const AddonListEntries entries = Split_addonlist(Listfile_text(files_.Read_text(path_)));
        return entries.others.empty() ? L"" : entries.others.back();
    }

  private:
    std::wstring path_;
    FileAccess files_;
};

// The text is the last folder. The store is opened once, as at start-up, and reports its
// failures on standard error.
class StoreSaver : public Saver {
  public:
    explicit StoreSaver(const fs::path& path) : path_(path), reg_(path) {}

    std::wstring Save(const std::wstring& text) override {
        testing::internal::CaptureStderr();
        reg_.Write_setting(kHkeyLocalMachine, kKey, L"VDRFC", text, kRegSz);
        return From_utf8(testing::internal::GetCapturedStderr()).value_or(L"(not UTF-8)");
    }
    std::optional<std::wstring> Saved_text() override {
        if (!fs::exists(path_)) {
            return std::nullopt;
        }
        return Value_text(RegAccess(path_).Read_setting(kHkeyLocalMachine, kKey, L"VDRFC"));
    }

  private:
    static constexpr const wchar_t* kKey = L"SOFTWARE\\Quorvane\\Veldrun";
    fs::path path_;
    RegAccess reg_;
};

struct SaverKind {
    const char* what;
    const char* fileName;
    std::function<std::unique_ptr<Saver>(const fs::path&)> make;
    // Whether a save makes its file anew when the file went away: the settings store is
    // created only at start-up, and a store deleted later stays gone until the next start.
    bool savesOverAVanishedFile;
};

const SaverKind kSavers[] = {
    {"info file", "tank.txt", [](const fs::path& p) { return std::make_unique<InfoSaver>(p); },
     true},
    {"list file", "release.txta", [](const fs::path& p) { return std::make_unique<ListSaver>(p); },
     true},
    {"settings store", "registry.reg",
     [](const fs::path& p) { return std::make_unique<StoreSaver>(p); }, false},
};

const std::wstring kOld = L"/the/old/folder";
const std::wstring kNew = L"/the/new/folder";

std::vector<std::string> Names_in(const fs::path& folder) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// One saver with a folder of its own.
class Scene {
  public:
    explicit Scene(const SaverKind& kind) : kind_(kind) { fs::create_directory(folder_); }

    const fs::path& Folder() const { return folder_; }
    fs::path File() const { return folder_ / kind_.fileName; }

    // Saves the old text, as the program did before the fault.
    Saver& Save_old() {
        saver_ = kind_.make(File());
        EXPECT_EQ(saver_->Save(kOld), L"") << kind_.what;
        EXPECT_EQ(saver_->Saved_text(), kOld) << kind_.what;
        return *saver_;
    }

    // The old text is still there, read as the program reads it, and nothing but the file is.
    void Expect_old_file_whole() const {
        EXPECT_EQ(saver_->Saved_text(), kOld) << kind_.what;
        EXPECT_EQ(Names_in(folder_), std::vector<std::string>{kind_.fileName}) << kind_.what;
    }

    void Expect_failure_naming_the_file(const std::wstring& failure) const {
        EXPECT_NE(failure.find(File().wstring()), std::wstring::npos)
            << kind_.what << " reported: " << To_utf8(failure);
    }

  private:
    const SaverKind& kind_;
    test::TempFolder base_;
    fs::path folder_ = base_ / "data";
    std::unique_ptr<Saver> saver_;
};

TEST(SaveFaults, AReadOnlyFolderKeepsTheOldFile) {
    for (const SaverKind& kind : kSavers) {
        Scene scene(kind);
        Saver& saver = scene.Save_old();
        if (!test::Mount_readonly(scene.Folder())) {
            GTEST_SKIP() << "read-only bind mounts are not permitted here";
        }
        const test::ScopedMount mount(scene.Folder());
        scene.Expect_failure_naming_the_file(saver.Save(kNew));
        scene.Expect_old_file_whole();
    }
}

TEST(SaveFaults, AFullDiskKeepsTheOldFile) {
    for (const SaverKind& kind : kSavers) {
        Scene scene(kind);
        if (!test::Mount_tiny_tmpfs(scene.Folder(), 64 * 1024)) {
            GTEST_SKIP() << "tmpfs mounts are not permitted here";
        }
        const test::ScopedMount mount(scene.Folder());
        Saver& saver = scene.Save_old();
        const fs::path filler = scene.Folder() / "filler";
        std::ofstream(filler, std::ios::binary) << std::string(40 * 1024, 'f');

        scene.Expect_failure_naming_the_file(saver.Save(std::wstring(40 * 1024, L'n')));
        fs::remove(filler);
        scene.Expect_old_file_whole();
    }
}

TEST(SaveFaults, AFileDeletedBeforeTheSave) {
    for (const SaverKind& kind : kSavers) {
        Scene scene(kind);
        Saver& saver = scene.Save_old();
        fs::remove(scene.File());
        EXPECT_EQ(saver.Save(kNew), L"") << kind.what;
        if (kind.savesOverAVanishedFile) {
            EXPECT_EQ(saver.Saved_text(), kNew) << kind.what;
        } else {
            EXPECT_EQ(saver.Saved_text(), std::nullopt) << kind.what;
        }
    }
}

TEST(SaveFaults, AFolderDeletedBeforeTheSaveIsNotMadeAgain) {
    for (const SaverKind& kind : kSavers) {
        Scene scene(kind);
        Saver& saver = scene.Save_old();
        fs::remove_all(scene.Folder());
        const std::wstring failure = saver.Save(kNew);
        if (kind.savesOverAVanishedFile) {
            scene.Expect_failure_naming_the_file(failure);
        }
        EXPECT_FALSE(fs::exists(scene.Folder())) << kind.what;
    }
}

// Another program deletes the file over and over while it is saved: every save that ends
// leaves the whole text of some save, or no file, and never a temporary file.
TEST(SaveFaults, AFileDeletedDuringSavesIsNeverHalfWritten) {
    for (const SaverKind& kind : kSavers) {
        Scene scene(kind);
        Saver& saver = scene.Save_old();
        std::set<std::wstring> written{kOld};
        std::atomic<bool> saving{true};
        std::atomic<int> deletions{0};
        std::thread deleter([&] {
            while (saving) {
                std::error_code ignored;
                deletions += fs::remove(scene.File(), ignored) ? 1 : 0;
                std::this_thread::yield();
            }
        });
        for (int i = 0; i < 100; ++i) {
            const std::wstring text = L"/folder/" + std::to_wstring(i) + std::wstring(2000, L'x');
            written.insert(text);
            const std::wstring failure = saver.Save(text);
            if (kind.savesOverAVanishedFile) {
                EXPECT_EQ(failure, L"") << kind.what;
            }
        }
        saving = false;
        deleter.join();
        EXPECT_GT(deletions, 0) << kind.what;

        const std::optional<std::wstring> saved = saver.Saved_text();
        EXPECT_TRUE(!saved || written.contains(*saved)) << kind.what;
        const std::vector<std::string> names = Names_in(scene.Folder());
        EXPECT_TRUE(names.empty() || names == std::vector<std::string>{kind.fileName})
            << kind.what << ": " << names.size() << " files left, the first "
            << (names.empty() ? "" : names.front());
    }
}

}  // namespace
}  // namespace brelvik
