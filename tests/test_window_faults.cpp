// Real faults met through the window's own controls: saves that cannot be written, info files
// that are a folder or far too large, a folder or volume that goes away while shown, packers
// that cannot start or end at once. Each case checks what survives: the old file whole, the
// boxes and the Addonlist as they were, one message naming the path, a window that goes on.
#include <gmock/gmock.h>
#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <functional>
#include <map>
#include <set>
#include <thread>

#include "platform/platform_error.h"
#include "tests/starting_desktop.h"
#include "tests/support/mount_faults.h"
#include "tests/test_window_fixture.h"

namespace brelvik::test {
namespace {

namespace fs = std::filesystem;
using ::testing::AllOf;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

const std::string kMarker = std::string(53, '=') + "\r\nDIZUV Information\r\n";
const std::string kOldInfo = "Read me\r\n\r\n" + kMarker + "/x/unitsTank/x/reqversion1.9";
const std::string kGoodInfo = "\r\n\r\n" + kMarker + "/x/unitsGood";
const std::string kOldList = "/old/a.pbo\r\n/old/a.txt";
constexpr std::size_t kTinyDisk = 64 * 1024;

// Everything a failure must leave as it was, by name.
using Survivors = std::map<std::string, std::wstring>;

// The real file operations, counting reads; another program may delete the file just before it
// is read.
class LosingFiles : public FileAccess {
  public:
    int reads = 0;
    bool loseBeforeRead = false;

    std::wstring Read_text(const std::wstring& path) override {
        ++reads;
        if (loseBeforeRead) {
            fs::remove(To_utf8(path));
        }
        return FileAccess::Read_text(path);
    }
};

// The folder's entry names, sorted, one a line.
std::string Names_in(const fs::path& folder) {
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    std::string all;
    for (const std::string& name : names) {
        all += name + "\n";
    }
    return all;
}

// Fills the file system that holds file to its last page (4 MiB at most).
void Fill_disk(const fs::path& file) {
    std::ofstream out(file, std::ios::binary);
    const std::string block(4096, 'f');
    for (int i = 0; i < 1024 && out.write(block.data(), block.size()).flush(); ++i) {
    }
}

bool Has_children() {
    return !(waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD);
}

// One message, holding the system's text for the error and the path.
auto One_message(int error, const fs::path& path) {
    return ElementsAre(
        AllOf(HasSubstr(System_error_text(error)), HasSubstr(From_utf8(path.native()).value())));
}

class FaultsTest : public WindowTest {
  protected:
    void SetUp() override {
        auto owned = std::make_unique<LosingFiles>();
        losing = owned.get();
        files = std::move(owned);
    }

    // The window over the test's store, its dialogs and messages through shown.
    void Start_showing(Desktop& shown, const Settings& settings) {
        Write_store(settings);
        registry = std::make_unique<RegAccess>(Store_path());
        window = std::make_unique<QtWindow>(*registry, *files, shown);
        window->show();
    }

    Survivors State() const {
        QtWindow& w = *window;
        Survivors state = {{"addonListText", w.Procedures().addonListText},
                           {"addonListPath", w.Procedures().addonListPath},
                           {"Dir1", w.Dir1->Path()},
                           {"File1", w.File1->Path()},
                           {"currentDir", w.Procedures().currentDir},
                           {"Drive1", w.Drive1->Drive()}};
        const TextBox* boxes[] = {w.Text1, w.Text2, w.Text3, w.Text4, w.Text5, w.Text6, w.Text7};
        for (int i = 0; i < 7; ++i) {
            state["Text" + std::to_string(i + 1)] = boxes[i]->Text();
        }
        for (auto [name, box] : {std::pair{"AddonList", w.AddonList}, {"filelist", w.filelist}}) {
            for (const std::wstring& item : box->Items()) {
                state[name] += item + L"\n";
            }
        }
        for (const OptionMark* option : {w.Option1, w.Option2, w.Option3, w.Option4, w.Option5}) {
            state["options"] += option->Value() ? L'1' : L'0';
        }
        state["Check1"] = std::to_wstring(w.Check1->Value());
        return state;
    }

    void Press(QPushButton* button, int tab) {
        window->SSTab1->Bar()->setCurrentIndex(tab);
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // A user's double-click on the folder list's entry of that name.
    void Open_folder(const std::string& name) {
        FolderBox* list = window->Dir1;
        for (int row = 0; row < list->count(); ++row) {
            if (list->item(row)->text().trimmed().toStdString() == name) {
                const QPoint spot = list->visualItemRect(list->item(row)).center();
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, spot);
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, spot);
                return;
            }
        }
        ADD_FAILURE() << "no folder entry " << name;
    }

    // A user's choice of a drive with the arrow keys, which choose each drive on the way; it
    // ends early where a drive is refused and the list goes back.
    void Choose_drive(const std::wstring& drive) {
        DriveBox* list = window->Drive1;
        const int target = list->findText(QString::fromStdWString(drive));
        ASSERT_GE(target, 0) << "no drive " << To_utf8(drive);
        for (int before = -1; list->currentIndex() != target && list->currentIndex() != before;) {
            before = list->currentIndex();
            QTest::keyClick(list, target > before ? Qt::Key_Down : Qt::Key_Up);
        }
    }

    LosingFiles* losing = nullptr;
};

// Each of the three saves, with a change that only a successful save puts into its file.
class SaveFaultsTest : public FaultsTest {
  protected:
    struct Target {
        const char* what;
        fs::path file;
        std::function<void()> change;  // makes the change in the window
        std::function<void()> save;
        std::string changed;  // what the file holds once the change is saved
        bool inMessageBox;    // else on standard error only, and the window ends anyway
    };

    std::vector<Target> Targets() {
        const fs::path addons = temp / "addons", list = temp / "release.txta";
        return {
            {"Save Info File", addons / "tank.txt",
             [=, this] {
                 Click_file(L"tank.pbo");
                 window->Text1->Set_text(L"Heavy tank");
             },
             [this] { Press(window->Command1, 0); }, "/x/unitsHeavy tank", true},
            {"Save Addonlist", list,
             [=, this] {
                 desktop.answers.push_back(Wide(list));
                 Press(window->Command6, 2);
                 Click_file(L"tank.pbo", true);
             },
             [=, this] {
                 desktop.answers.push_back(Wide(list));
                 Press(window->Command7, 2);
             },
             (addons / "tank.pbo").string(), true},
            {"Exit", Store_path(), [this] { Browse_to(temp / "other"); },
             [this] { Press(window->Command2, 0); }, (temp / "other").string(), false},
        };
    }

    // The add-ons, the old list and the store, which remembers the add-on folder.
    void Start_scene() {
        const fs::path addons = Make_folder("addons");
        Make_folder("other");
        Write_file(addons / "tank.pbo", "pbo");
        Write_file(addons / "tank.txt", kOldInfo);
        Write_file(temp / "release.txta", kOldList);
        Start({Wide(addons)});
    }

    void Clear_folder() {
        window.reset();
        for (const fs::directory_entry& entry : fs::directory_iterator(temp.Path())) {
            fs::remove_all(entry.path());
        }
    }

    // Saves while the fault holds: the failure is reported with the system's text and the path,
    // and the old file, the folder's other entries and the window's state are as they were.
    void Expect_failure_keeps_everything(const Target& target, int error) {
        const std::string oldBytes = Read_file(target.file);
        const std::string names = Names_in(target.file.parent_path());
        const Survivors before = State();
        desktop.messages.clear();
        testing::internal::CaptureStderr();
        target.save();
        const std::string reported = testing::internal::GetCapturedStderr();
        if (target.inMessageBox) {
            EXPECT_THAT(desktop.messages, One_message(error, target.file));
            EXPECT_TRUE(window->isVisible());
        } else {
            EXPECT_THAT(desktop.messages, IsEmpty());
            EXPECT_THAT(reported, AllOf(HasSubstr(target.file.string()),
                                        HasSubstr(To_utf8(System_error_text(error)))));
            EXPECT_FALSE(window->isVisible());
        }
        EXPECT_EQ(Read_file(target.file), oldBytes);
        EXPECT_EQ(Names_in(target.file.parent_path()), names);
        EXPECT_EQ(State(), before);
    }

    // Once the fault is gone, the same press saves.
    void Expect_saved_again(const Target& target) {
        if (!target.inMessageBox) {
            return;
        }
        desktop.messages.clear();
        target.save();
        EXPECT_THAT(desktop.messages, IsEmpty());
        EXPECT_THAT(Read_file(target.file), HasSubstr(target.changed));
    }
};

TEST_F(SaveFaultsTest, AReadOnlyFolder) {
    for (const Target& target : Targets()) {
        SCOPED_TRACE(target.what);
        Start_scene();
        target.change();
        if (!Mount_readonly(temp.Path())) {
            GTEST_SKIP() << "read-only bind mounts are not permitted here";
        }
        {
            const ScopedMount mount(temp.Path());
            Expect_failure_keeps_everything(target, EROFS);
        }
        Expect_saved_again(target);
        Clear_folder();
    }
}

TEST_F(SaveFaultsTest, AFullDisk) {
    for (const Target& target : Targets()) {
        SCOPED_TRACE(target.what);
        if (!Mount_tiny_tmpfs(temp.Path(), kTinyDisk)) {
            GTEST_SKIP() << "tmpfs mounts are not permitted here";
        }
        const ScopedMount mount(temp.Path());
        Start_scene();
        target.change();
        Fill_disk(temp / "filler");
        Expect_failure_keeps_everything(target, ENOSPC);
        fs::remove(temp / "filler");
        Expect_saved_again(target);
        window.reset();
    }
}

// The file is deleted between the load and the save: a save writes it anew, whole. The store
// is made only at start-up, so "Exit" then stores nothing.
TEST_F(SaveFaultsTest, AFileThatVanished) {
    for (const Target& target : Targets()) {
        SCOPED_TRACE(target.what);
        Start_scene();
        target.change();
        fs::remove(target.file);
        const Survivors before = State();
        desktop.messages.clear();
        target.save();
        EXPECT_THAT(desktop.messages, IsEmpty());
        EXPECT_EQ(State(), before);
        EXPECT_EQ(window->isVisible(), target.inMessageBox);
        if (target.inMessageBox) {
            EXPECT_THAT(Read_file(target.file), HasSubstr(target.changed));
        } else {
            EXPECT_FALSE(fs::exists(target.file));
        }
        Clear_folder();
    }
}

TEST_F(FaultsTest, AnInfoFileThatCannotBeLoadedKeepsTheBoxes) {
    const fs::path addons = Make_folder("addons"), info = addons / "tank.txt";
    Write_file(addons / "tank.pbo", "pbo");
    Write_file(addons / "good.pbo", "pbo");
    Write_file(addons / "good.txt", kGoodInfo);
    Start();
    Browse_to(addons);
    struct Case {
        const char* what;
        std::function<void()> make;
        std::wstring text;  // in the message, before the path
        int reads;
        bool remains;
    } cases[] = {
        {"a folder", [&] { fs::create_directory(info); }, System_error_text(EISDIR), 0, true},
        // Sparse: nothing near that size is written.
        {"a file of 1 GB",
         [&] {
             Write_file(info, "");
             fs::resize_file(info, std::uintmax_t{1} << 30);
         },
         L"larger than 2 MiB", 0, true},
        {"a file deleted just before it is read",
         [&] {
             Write_file(info, kOldInfo);
             losing->loseBeforeRead = true;
         },
         System_error_text(ENOENT), 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.make();
        window->Text1->Set_text(L"typed units");
        window->Text7->Set_text(L"typed readme");
        const Survivors before = State();
        desktop.messages.clear();
        losing->reads = 0;
        Click_file(L"tank.pbo");
        EXPECT_THAT(desktop.messages, ElementsAre(AllOf(HasSubstr(c.text), HasSubstr(Wide(info)))));
        EXPECT_EQ(State(), before);
        EXPECT_EQ(losing->reads, c.reads);
        EXPECT_EQ(fs::exists(info), c.remains);

        // The boxes hold another add-on's texts: saving them would replace this info file.
        const auto size = fs::is_regular_file(info) ? fs::file_size(info) : 0;
        desktop.messages.clear();
        QTest::mouseClick(window->Command1, Qt::LeftButton);
        EXPECT_THAT(desktop.messages,
                    ElementsAre(AllOf(HasSubstr(L"not loaded"), HasSubstr(Wide(info)))));
        EXPECT_EQ(fs::exists(info), c.remains);
        EXPECT_EQ(fs::is_regular_file(info) ? fs::file_size(info) : 0, size);

        losing->loseBeforeRead = false;
        Click_file(L"good.pbo");
        EXPECT_EQ(window->Text1->Text(), L"Good");
        EXPECT_EQ(desktop.messages.size(), 1u);
        fs::remove_all(info);
    }
}

TEST_F(FaultsTest, AFolderDeletedWhileShown) {
    const fs::path shown = Make_folder("shown");
    Make_folder("shown/inner");
    Write_file(shown / "tank.pbo", "pbo");
    Write_file(shown / "tank.txt", kOldInfo);
    Write_file(shown / "jeep.pbo", "pbo");
    Start();
    Browse_to(shown);
    Click_file(L"tank.pbo");
    window->Text1->Set_text(L"Heavy tank");
    const Survivors before = State();
    fs::remove_all(shown);
    struct Step {
        const char* what;
        std::function<void()> act;
        fs::path named;
    } steps[] = {
        {"saving", [&] { Press(window->Command1, 0); }, shown / "tank.txt"},
        {"selecting another add-on", [&] { Click_file(L"jeep.pbo"); }, shown},
        {"opening its subfolder", [&] { Open_folder("inner"); }, shown / "inner"},
        {"opening the folder itself", [&] { Open_folder("shown"); }, shown},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        desktop.messages.clear();
        step.act();
        EXPECT_THAT(desktop.messages, One_message(ENOENT, step.named));
        EXPECT_EQ(State(), before);
    }
    EXPECT_FALSE(fs::exists(shown));

    desktop.messages.clear();
    Open_folder(temp.Path().filename().string());
    EXPECT_THAT(desktop.messages, IsEmpty());
    EXPECT_EQ(window->Dir1->Path(), Wide(temp.Path()));
    EXPECT_EQ(window->File1->Path(), Wide(temp.Path()));
    EXPECT_EQ(window->Procedures().currentDir, Wide(temp.Path()));
    EXPECT_EQ(window->Text1->Text(), L"Heavy tank");
}

// The drive list offers mounted volumes, never one below the system's temporary folder, so the
// volume is made under /media, on a tmpfs that only this process sees.
TEST_F(FaultsTest, AVolumeThatVanishedIsRefusedAndTheDriveListGoesBack) {
    const fs::path media = "/media", volume = media / "brelvik-volume";
    if (!fs::is_directory(media) || !Mount_tiny_tmpfs(media, kTinyDisk)) {
        GTEST_SKIP() << "no tmpfs over /media here";
    }
    const ScopedMount mediaMount(media);
    fs::create_directory(volume);
    ASSERT_TRUE(Mount_tiny_tmpfs(volume, kTinyDisk));
    const fs::path addons = Make_folder("addons");
    Write_file(addons / "tank.pbo", "pbo");
    Start({Wide(addons)});
    Click_file(L"tank.pbo");
    window->Text1->Set_text(L"Heavy tank");
    Choose_drive(Wide(media));
    ASSERT_EQ(window->Dir1->Path(), Wide(media));

    ASSERT_TRUE(Unmount(volume));
    fs::remove(volume);
    const Survivors before = State();
    desktop.messages.clear();
    Choose_drive(Wide(volume));
    EXPECT_THAT(desktop.messages, One_message(ENOENT, volume));
    EXPECT_EQ(State(), before);

    desktop.messages.clear();
    Choose_drive(L"/");
    EXPECT_THAT(desktop.messages, IsEmpty());
    EXPECT_EQ(window->Dir1->Path(), L"/");
    EXPECT_EQ(window->Text1->Text(), L"Heavy tank");
}

// "Pack it" with a real start. The scripts mark that they ran, then end at once.
TEST_F(FaultsTest, APackerThatCannotStartOrEndsAtOnceChangesNothing) {
    const fs::path packers = Make_folder("packers"), addons = Make_folder("addons");
    Make_folder("packers/folder");
    Write_file(packers / "plain", "not a program");
    for (const char* name : {"ends", "fails"}) {
        Write_file(packers / name,
                   std::string("#!/bin/sh\n: >\"$0.ran\"\n") + (name[0] == 'f' ? "exit 3\n" : ""));
        fs::permissions(packers / name, fs::perms::owner_all);
    }
    Write_file(addons / "tank.pbo", "pbo");
    Write_file(addons / "good.pbo", "pbo");
    Write_file(addons / "good.txt", kGoodInfo);
    StartingDesktop starting;
    Start_showing(starting, {Wide(addons), L"/none,0"});
    Click_file(L"tank.pbo");
    window->Text1->Set_text(L"Heavy tank");
    window->SSTab1->Bar()->setCurrentIndex(3);
    QTest::mouseClick(window->Option1, Qt::LeftButton);
    QTest::mouseClick(window->Option3, Qt::LeftButton);
    struct Case {
        const char* program;
        int error;  // 0: started, no message
    } cases[] = {
        {"gone/rarpack", ENOENT}, {"folder", EACCES}, {"plain", EACCES}, {"ends", 0}, {"fails", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.program);
        const fs::path program = packers / c.program;
        Write_store({Wide(addons), Wide(program) + L",0"});
        const Survivors before = State();
        starting.messages.clear();
        Press(window->Command5, 3);
        if (c.error != 0) {
            EXPECT_THAT(starting.messages, One_message(c.error, program));
        } else {
            EXPECT_THAT(starting.messages, IsEmpty());
            const fs::path ran = program.string() + ".ran";
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
            while (!fs::exists(ran) && std::chrono::steady_clock::now() < deadline) {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
            EXPECT_TRUE(fs::exists(ran));
        }
        EXPECT_EQ(State(), before);
    }
    EXPECT_FALSE(Has_children());
    Click_file(L"good.pbo");
    EXPECT_EQ(window->Text1->Text(), L"Good");
    EXPECT_THAT(starting.messages, IsEmpty());
}

}  // namespace
}  // namespace brelvik::test
