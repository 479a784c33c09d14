// The window's procedures over fake controls: no toolkit, every event through Handle.
#include <unistd.h>

#include <cerrno>
#include <tuple>

#include "app/drivechoice.h"
#include "app/folderchoice.h"
#include "app/folderreader.h"
#include "app/sortedentries.h"
#include "platform/folders.h"
#include "platform/platform_error.h"
#include "tests/control_contract.h"
#include "tests/procedure_fixture.h"
#include "tests/support/mount_faults.h"

namespace brelvik::test {
namespace {

namespace fs = std::filesystem;
using Entries = std::vector<std::wstring>;

const std::string kMarker = std::string(53, '=') + "\r\nDIZUV Information\r\n";
const std::string kWorkedExample =
    "Read me first\r\n\r\n" + kMarker + "/x/unitsTank/x/authorSomeone/x/version1.0/x/reqversion1.9";

// The real file operations, recording the info paths asked for; the chosen operation fails,
// for failures that root cannot be made to meet.
class ScriptedFiles : public FileAccess {
  public:
    std::wstring failing;
    std::vector<std::wstring> measured;

    std::uint64_t Length(const std::wstring& path) override {
        measured.push_back(path);
        return FileAccess::Length(path);
    }
    std::wstring Read_text(const std::wstring& path) override {
        Fail_if(L"read");
        return FileAccess::Read_text(path);
    }
    void Delete(const std::wstring& path) override {
        Fail_if(L"delete");
        FileAccess::Delete(path);
    }

  private:
    void Fail_if(const std::wstring& operation) {
        if (failing == operation) {
            throw PlatformError(L"Access denied", L"the path");
        }
    }
};

class EditorTest : public ProcedureTest {
  protected:
    void SetUp() override {
        auto owned = std::make_unique<ScriptedFiles>();
        scripted = owned.get();
        files = std::move(owned);
        folder = Make_folder("addons");
        Write_file(folder / "tank.pbo", "pbo");
        Start();
        Browse_to(folder);
    }

    void Press_save() { window->Handle(Event::kCommand1Click); }

    const std::vector<std::wstring> kPlaceholders = {
        L"No entry", L"No entry", L"No entry", L"No entry", L"-", L"-", L""};
    fs::path folder;
    ScriptedFiles* scripted = nullptr;
};

TEST_F(EditorTest, SelectingAnAddonWithoutUsableInfoShowsPlaceholders) {
    struct Case {
        const char* what;
        std::optional<std::string> info;  // nothing: no info file
        bool remains;
    } cases[] = {
        {"no info file", std::nullopt, false},
        {"an empty info file is deleted", "", false},
        {"plain text without marker or tags is kept", "Just some notes\r\nabout it", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        window->Text("Text1").Type(L"typed");
        window->File1.Clear_selection();
        if (c.info) {
            Write_file(folder / "tank.txt", *c.info);
        }
        Click_file(L"tank.pbo");
        EXPECT_EQ(Box_texts(), kPlaceholders);
        EXPECT_EQ(fs::exists(folder / "tank.txt"), c.remains);
        EXPECT_TRUE(desktop.messages.empty());
    }
}

TEST_F(EditorTest, WorkedExampleIsSavedByteForByteAndReadBack) {
    Click_file(L"tank.pbo");
    window->Text("Text7").Type(L"Read me first");
    window->Text("Text1").Type(L"Tank");
    window->Text("Text4").Type(L"Someone");
    window->Text("Text5").Type(L"1.0");
    window->Text("Text6").Type(L"1.9");
    Press_save();
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(Read_file(folder / "tank.txt"), kWorkedExample);
    EXPECT_EQ(kWorkedExample.size(), 148u);

    window->Text("Text1").Set_text(L"changed");
    window->File1.Clear_selection();
    Click_file(L"tank.pbo");
    EXPECT_EQ(Box_texts(), (std::vector<std::wstring>{L"Tank", L"No entry", L"No entry", L"Someone",
                                                      L"1.0", L"1.9", L"Read me first"}));
}

// The readme typed for one add-on must not follow the user to the next one: selecting another
// add-on sets every box anew, the readme box too, even while its tab is not in front.
TEST_F(EditorTest, AnEditedBoxTakesTheNextAddonsTextAndSavesThat) {
    Write_file(folder / "jeep.pbo", "pbo");
    Write_file(folder / "jeep.txt",
               "Jeep readme\r\n\r\n" + kMarker + "/x/unitsJeep/x/reqversion1.0");
    Browse_to(temp.Path());
    Browse_to(folder);
    Click_file(L"tank.pbo");
    window->Text("Text7").Type(L"Tank readme");
    Click_file(L"jeep.pbo");
    EXPECT_EQ(window->Text("Text7").Text(), L"Jeep readme");
    Press_save();
    EXPECT_EQ(Read_file(folder / "jeep.txt"),
              "Jeep readme\r\n\r\n" + kMarker + "/x/unitsJeep/x/reqversion1.0");
}

TEST_F(EditorTest, SaveShowsItsMessagesInOrder) {
    struct Case {
        const char* what;
        bool select;
        std::wstring units, reqversion;
        std::vector<std::wstring> messages;
        std::optional<std::string> file;  // nothing: no info file afterwards
    } cases[] = {
        {"no add-on selected", false, L"Tank", L"1.9", {L"No addon selected"}, kWorkedExample},
        {"nothing to save removes the file",
         true,
         L"No entry",
         L"-",
         {L"No required version", L"No Text to save"},
         std::nullopt},
        {"no required version still saves",
         true,
         L"Tank",
         L"-",
         {L"No required version"},
         "\r\n\r\n" + kMarker + "/x/unitsTank"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Write_file(folder / "tank.txt", kWorkedExample);
        window->File1.Clear_selection();
        if (c.select) {
            Write_file(folder / "tank.txt", "plain");
            Click_file(L"tank.pbo");
            Write_file(folder / "tank.txt", kWorkedExample);
        }
        window->Text("Text1").Set_text(c.units);
        window->Text("Text6").Set_text(c.reqversion);
        desktop.messages.clear();
        Press_save();
        EXPECT_EQ(desktop.messages, c.messages);
        ASSERT_EQ(fs::exists(folder / "tank.txt"), c.file.has_value());
        if (c.file) {
            EXPECT_EQ(Read_file(folder / "tank.txt"), *c.file);
        }
    }
}

TEST_F(EditorTest, AFailingReadOrDeleteShowsOneMessageAndKeepsTheBoxes) {
    const std::wstring error = PlatformError(L"Access denied", L"the path").Message();
    struct Case {
        const wchar_t* operation;
        std::string info;
        bool save;  // else select the add-on
        std::vector<std::wstring> messages;
    } cases[] = {
        {L"read", kWorkedExample, false, {error}},
        {L"delete", "", false, {error}},
        {L"delete", kWorkedExample, true, {L"No required version", error}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(To_utf8(c.operation));
        window->File1.Clear_selection();
        scripted->failing.clear();
        if (c.save) {
            Write_file(folder / "tank.txt", "plain");
            Click_file(L"tank.pbo");  // placeholders: nothing to save but the readme
        }
        Write_file(folder / "tank.txt", c.info);
        window->Text("Text7").Set_text(L"typed");
        scripted->failing = c.operation;
        desktop.messages.clear();
        if (c.save) {
            Press_save();
        } else {
            Click_file(L"tank.pbo");
        }
        EXPECT_EQ(desktop.messages, c.messages);
        EXPECT_EQ(window->Text("Text7").Text(), L"typed");
        EXPECT_TRUE(fs::exists(folder / "tank.txt"));
    }
}

TEST_F(EditorTest, SaveIntoAReadOnlyFolderKeepsTheOldFileWhole) {
    Write_file(folder / "tank.txt", kWorkedExample);
    Click_file(L"tank.pbo");
    if (!Mount_readonly(folder)) {
        GTEST_SKIP() << "this system does not permit a read-only bind mount";
    }
    ScopedMount mount(folder);
    window->Text("Text1").Set_text(L"Heavy tank");
    Press_save();
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_NE(desktop.messages[0].find(Wide(folder / "tank.txt")), std::wstring::npos);
    EXPECT_EQ(Read_file(folder / "tank.txt"), kWorkedExample);
    EXPECT_FALSE(window->form.closed);
    EXPECT_EQ(window->Text("Text1").Text(), L"Heavy tank");
}

// Paths are joined as plain text, so an add-on in the root folder has an info path with two
// separators, which names the file in the root folder.
TEST_F(EditorTest, AnAddonInTheRootFolderUsesTheDoubleSeparator) {
    const std::string name = "brelvik-root-test-" + std::to_string(getpid());
    const fs::path addon = "/" + name + ".pbo";
    if (geteuid() != 0 || access("/", W_OK) != 0) {
        GTEST_SKIP() << "needs a writable root folder";
    }
    struct Cleanup {
        fs::path addon, info;
        ~Cleanup() {
            fs::remove(addon);
            fs::remove(info);
        }
    } cleanup{addon, "/" + name + ".txt"};
    Write_file(addon, "pbo");
    Write_file(cleanup.info, "\r\n\r\n" + kMarker + "/x/unitsRoot");
    Browse_to("/");
    ASSERT_EQ(window->Dir1.Path(), L"/");
    Click_file(Wide(addon.filename()));
    EXPECT_EQ(window->Text("Text1").Text(), L"Root");
    window->Text("Text1").Set_text(L"Root2");
    window->Text("Text6").Set_text(L"2");
    Press_save();
    EXPECT_EQ(Read_file(cleanup.info), "\r\n\r\n" + kMarker + "/x/unitsRoot2/x/reqversion2");
    EXPECT_EQ(scripted->measured.back(), L"//" + Wide(cleanup.info.filename()));
}

using BrowserTest = ProcedureTest;

TEST_F(BrowserTest, StartUpHidesAndGreysThePackerControlsOfMissingPackers) {
    const std::wstring kIcon = L"C:\\Program Files\\WinRAR\\WinRAR.exe,0";
    struct Case {
        const char* what;
        std::optional<std::wstring> rar, zip;
        std::vector<int> hidden;  // option numbers; each greys its label
    } cases[] = {
        {"both installed", kIcon, kIcon, {}},
        {"no WinZip", kIcon, std::nullopt, {2}},
        {"no WinRAR", std::nullopt, kIcon, {1, 4, 5}},
        {"neither", std::nullopt, std::nullopt, {1, 2, 3, 4, 5}},
        {"one character counts as absent", L"x", kIcon, {1, 4, 5}},
        {"two characters count as present", L"xy", L"x", {2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeWindow& w = Start({std::nullopt, c.rar, c.zip});
        const std::pair<FakeOption*, FakeLabel*> pairs[] = {{&w.Option1, &w.Label1},
                                                            {&w.Option2, &w.Label2},
                                                            {&w.Option3, &w.Label4},
                                                            {&w.Option4, &w.Label5},
                                                            {&w.Option5, &w.Label6}};
        for (int number = 1; number <= 5; ++number) {
            const bool hidden =
                std::find(c.hidden.begin(), c.hidden.end(), number) != c.hidden.end();
            const auto [option, label] = pairs[number - 1];
            EXPECT_EQ(!option->visible, hidden) << "Option" << number;
            EXPECT_EQ(label->grey, hidden) << "label of Option" << number;
            EXPECT_FALSE(option->Value());
        }
        EXPECT_EQ(w.Check1.Value(), 0);
    }
}

TEST_F(BrowserTest, AnUnusableStoredFolderLeavesTheListsAsCreated) {
    const std::wstring working = Current_folder();
    for (const std::wstring& stored :
         {Wide(temp / "gone"), std::wstring(L"/x"), std::wstring(L"")}) {
        SCOPED_TRACE(To_utf8(stored));
        FakeWindow& w = Start({stored});
        EXPECT_EQ(w.Dir1.Path(), working);
        EXPECT_EQ(w.File1.Path(), working);
        EXPECT_EQ(w.procedures->currentDir, working);
        EXPECT_TRUE(desktop.messages.empty());
    }
}

TEST_F(BrowserTest, AFolderThatVanishedShowsOneMessageAndChangesNothing) {
    const fs::path folder = Make_folder("addons/desert");
    Start();
    Browse_to(temp / "addons");
    fs::remove(folder);
    Browse_to(folder);
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_NE(desktop.messages[0].find(Wide(folder)), std::wstring::npos);
    EXPECT_EQ(window->Dir1.Path(), Wide(temp / "addons"));
    EXPECT_EQ(window->procedures->currentDir, Wide(temp / "addons"));
}

TEST_F(BrowserTest, ChoosingADriveRunsTheChangeChainAndAMissingDriveIsRefused) {
    Start();
    Browse_to(temp.Path());
    window->Drive1.Set_drive(L"/");  // already shown: no change
    EXPECT_EQ(window->Dir1.Path(), Wide(temp.Path()));
    window->Drive1.Show_drive_of(L"");  // none shown
    window->Drive1.Set_drive(L"/");
    EXPECT_EQ(window->Drive1.Drive(), L"/");
    EXPECT_EQ(window->Dir1.Path(), L"/");
    EXPECT_EQ(window->File1.Path(), L"/");
    EXPECT_EQ(window->procedures->currentDir, L"/");
    EXPECT_THROW(window->Drive1.Set_drive(L"Q"), PlatformError);
    EXPECT_EQ(window->Drive1.Drive(), L"/");
}

const std::wstring kRar = L"/opt/r/rarpack,0";
const std::wstring kZip = L"/opt/z/abcdefgh.exe,0";
const std::wstring kOwn = L"/opt/b/brelvik-pack";
const std::wstring kNoPacker = L"Packing not possible, check the settings";
const Settings kBothPackers = {std::nullopt, kRar, kZip};

class PackTest : public ProcedureTest {
  protected:
    void Open(const Settings& settings = kBothPackers, const std::wstring& ownPacker = L"") {
        addons = Make_folder("addons");
        Write_file(addons / "tank.pbo", "");
        desktop.ownPacker = ownPacker;
        Start(settings);
        Browse_to(addons);
    }

    void Click(const std::vector<const char*>& options) {
        for (const char* option : options) {
            window->Click_option(option);
        }
    }

    // The archive types as they show: hidden or not, selected or not, label grey or not.
    std::string Types() const {
        FakeWindow& w = *window;
        std::string shown;
        for (auto [type, option, label] :
             {std::tuple{"Zip", &w.Option3, &w.Label4}, std::tuple{"Rar", &w.Option4, &w.Label5},
              std::tuple{"SFX", &w.Option5, &w.Label6}}) {
            shown += std::string(shown.empty() ? "" : ", ") + type +
                     (option->visible ? "" : " hidden") + (option->Value() ? " selected" : "") +
                     (label->grey ? " grey" : "");
        }
        return shown;
    }

    // The packers' labels where the procedures renamed them, each as its option is announced.
    std::string Packer_labels() const {
        std::string shown;
        for (auto [option, label] : {std::pair{&window->Option1, &window->Label1},
                                     std::pair{&window->Option2, &window->Label2}}) {
            shown += std::string(option == &window->Option1 ? "" : " / ") + To_utf8(label->caption);
            if (option->name != label->caption) {
                shown += " (announced " + To_utf8(option->name) + ")";
            }
        }
        return shown;
    }

    // Presses "Pack it": what was started and what was said.
    std::pair<std::vector<std::wstring>, std::vector<std::wstring>> Pack() {
        desktop.messages.clear();
        desktop.started.clear();
        window->Handle(Event::kCommand5Click);
        return {desktop.started, desktop.messages};
    }

    fs::path addons;
};

TEST_F(PackTest, TheChosenPackerDecidesTheArchiveTypesOnOffer) {
    const std::string zipOnly = "Zip selected, Rar hidden grey, SFX hidden grey";
    const std::wstring ownEntry = kOwn + L",0";
    struct Case {
        const char* what;
        Settings settings;
        std::vector<const char*> clicks;
        std::string types;
        std::wstring ownPacker = L"";
        std::string labels = " / ";  // as the layout table gives them
    } cases[] = {
        {"WinZip, then WinRAR", kBothPackers, {"Option2", "Option1"}, "Zip, Rar, SFX"},
        {"WinRAR, Rar, then WinZip",
         kBothPackers,
         {"Option1", "Option4", "Option2"},
         "Zip selected, Rar hidden grey, SFX hidden grey"},
        {"WinRAR alone installed",
         {std::nullopt, kRar, std::nullopt},
         {"Option1"},
         "Zip, Rar, SFX"},
        {"WinRAR, SFX, then WinRAR again",
         kBothPackers,
         {"Option1", "Option5", "Option1"},
         "Zip, Rar, SFX selected"},
        {"WinRAR, Zip, then WinRAR again: no second choice",
         kBothPackers,
         {"Option1", "Option3", "Option1"},
         "Zip selected, Rar, SFX"},
        // Brelvik's own packer makes zip archives only, in whichever packer's place.
        {"own packer in both places, WinZip then WinRAR",
         {std::nullopt, ownEntry, ownEntry},
         {"Option2", "Option1"},
         zipOnly,
         kOwn,
         "brelvik-pack / brelvik-pack"},
        {"own packer in WinZip's place, WinRAR then WinZip",
         {std::nullopt, kRar, std::nullopt},
         {"Option1", "Option4", "Option2"},
         zipOnly,
         kOwn,
         " / brelvik-pack"},
        {"own packer installed, WinZip registered", kBothPackers, {"Option2"}, zipOnly, kOwn},
        {"own packer alone", {}, {"Option2"}, zipOnly, kOwn, " / brelvik-pack"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Open(c.settings, c.ownPacker);
        Click(c.clicks);
        EXPECT_EQ(Types(), c.types);
        EXPECT_EQ(Packer_labels(), c.labels);
    }
}

TEST_F(PackTest, PackItStartsTheLineForTheControlsOrSaysWhatIsMissing) {
    Open();
    const std::wstring list = Wide(temp / "release.txta");
    desktop.answers.push_back(list);
    window->Handle(Event::kCommand7Click);
    const std::wstring p = L"/opt/r/rarpack", z = L"/opt/z/wzzip.exe -ex ";
    const std::wstring b = Wide(addons / "tank"), l = Wide(temp / "release.");
    const std::wstring add = L" a -o+ -ed -ep -ibck -af";
    // The rows run in order on one window; each clicks only the options that change.
    struct Case {
        std::vector<const char*> clicks;
        bool useList, selected, clearList;
        std::wstring started, message = {};
    } cases[] = {
        {{}, false, true, false, L"", kNoPacker},  // nothing to mend in the settings file
        {{"Option1", "Option3"},
         false,
         true,
         false,
         p + add + L"zip -m5 " + b + L" " + b + L".txt " + b + L".pbo"},
        {{"Option3"}, true, true, false, p + add + L"zip -m5 " + l + L"zip @" + list},
        {{"Option4"},
         false,
         true,
         false,
         p + add + L"rar -m5 " + b + L" " + b + L".txt " + b + L".pbo"},
        {{"Option4"}, true, false, false, p + add + L"rar -m5 " + l + L"rar @" + list},
        {{"Option5"}, false, true, false, p + L" s " + b + L".rar"},
        {{"Option5"}, true, true, false, p + L" s " + l + L"rar"},
        {{"Option2"}, false, true, false, z + b + L".zip " + b + L".pbo " + b + L".txt"},
        {{"Option2"}, true, true, false, z + l + L"zip @" + list},
        {{"Option1"}, false, true, false, p + L" s " + b + L".rar"},  // no type chosen
        {{}, false, false, false, L"", L"No addon selected"},
        {{}, true, true, true, L"", L"No list selected, please save current list and try again"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(To_utf8(c.started + c.message));
        if (c.clearList) {
            window->Handle(Event::kCommand3Click);
        }
        Click(c.clicks);
        window->Check1.checked = c.useList;
        window->File1.Clear_selection();
        if (c.selected) {
            Click_file(L"tank.pbo");
        }
        const auto [started, messages] = Pack();
        EXPECT_EQ(started, c.started.empty() ? Entries() : Entries{c.started});
        EXPECT_EQ(messages, c.message.empty() ? Entries() : Entries{c.message});
    }
}

TEST_F(PackTest, EveryPressReadsTheEntryAndAFailedStartLeavesTheWindowUsable) {
    Open();
    Click({"Option1", "Option5"});
    Click_file(L"tank.pbo");
    const PlatformError missing(System_error_text(ENOENT), L"/opt/r/rarpack s");
    struct Case {
        std::wstring entry;
        bool failing;
        std::wstring started, message = {};
    } cases[] = {
        {L",0", false, L"", kNoPacker + L"\n" + Store_path().wstring()},
        {L"/opt/new/rarpack,1", false, L"/opt/new/rarpack s " + Wide(addons / "tank.rar")},
        {kRar, true, L"", missing.Message()},
        {kRar, false, L"/opt/r/rarpack s " + Wide(addons / "tank.rar")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(To_utf8(c.entry));
        Write_store({std::nullopt, c.entry, kZip});
        desktop.startFailure = c.failing ? std::optional(missing) : std::nullopt;
        const auto [started, messages] = Pack();
        EXPECT_EQ(started, c.started.empty() ? Entries() : Entries{c.started});
        EXPECT_EQ(messages, c.message.empty() ? Entries() : Entries{c.message});
    }
}

// Without a usable WinZip entry, WinZip's command line starts Brelvik's own packer; a registered
// WinZip comes first, and one that is gone after the start leaves the settings to mend.
TEST_F(PackTest, WithoutWinZipItsCommandLineStartsTheOwnPacker) {
    Open({std::nullopt, kRar, std::nullopt}, kOwn);
    Click({"Option2"});
    Click_file(L"tank.pbo");
    const std::wstring b = Wide(addons / "tank"), members = L".zip " + b + L".pbo " + b + L".txt";
    struct Case {
        std::optional<std::wstring> zip;
        std::wstring ownPacker, started, message = {};
    } cases[] = {
        {std::nullopt, kOwn, kOwn + L" -ex " + b + members},
        {L"x,0", kOwn, kOwn + L" -ex " + b + members},
        {kZip, kOwn, L"/opt/z/wzzip.exe -ex " + b + members},
        {std::nullopt, L"", L"", kNoPacker + L"\n" + Store_path().wstring()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(To_utf8(c.started + c.message));
        Write_store({std::nullopt, kRar, c.zip});
        desktop.ownPacker = c.ownPacker;
        const auto [started, messages] = Pack();
        EXPECT_EQ(started, c.started.empty() ? Entries() : Entries{c.started});
        EXPECT_EQ(messages, c.message.empty() ? Entries() : Entries{c.message});
    }
}

// The drive and folder lists over the system's own drives and folders, with no window.
class ChoiceTest : public StoreTest {
  protected:
    FakeDrives drives;
    FolderReader reader;
    FakeFolders folders{reader};
    std::vector<std::wstring> changes;
};

TEST_F(ChoiceTest, ADriveSetRunsItsChangeNestedAndAFailedChangeGoesBack) {
    drives.Show_drive_of(Wide(temp.Path()));
    const std::wstring shown = drives.Drive();
    ASSERT_FALSE(shown.empty());
    bool accept = true;
    drives.onChange = [&] {
        changes.push_back(drives.Drive());
        return accept;
    };
    drives.Set_drive(shown);  // already shown: no change
    EXPECT_TRUE(changes.empty());
    drives.Show_drive_of(L"");
    drives.Set_drive(shown.substr(0, 1));  // found by its start
    EXPECT_EQ(changes, std::vector<std::wstring>{shown});
    EXPECT_EQ(drives.Drive(), shown);

    drives.Show_drive_of(L"");
    accept = false;
    drives.Pick(shown);
    EXPECT_EQ(drives.Drive(), L"");
    drives.onChange = []() -> bool { throw PlatformError(L"not ready", L"drive"); };
    EXPECT_THROW(drives.Set_drive(shown), PlatformError);
    EXPECT_EQ(drives.Drive(), L"");
    EXPECT_THROW(drives.Set_drive(L"\x01no such drive"), PlatformError);
}

TEST_F(ChoiceTest, AFolderSetRunsItsChangeOnlyWhenTheFolderShownChanges) {
    const fs::path folder = Make_folder("addons/desert");
    Make_folder("addons/winter");
    folders.onChange = [&] { changes.push_back(folders.Path()); };
    folders.Set_path(Wide(temp / "addons") + L"/");
    folders.Set_path(Wide(temp / "addons"));
    EXPECT_EQ(changes, std::vector<std::wstring>{Wide(temp / "addons")});
    EXPECT_EQ(folders.subfolders, (std::vector<std::wstring>{L"desert", L"winter"}));

    fs::remove(folder);
    EXPECT_THROW(folders.Set_path(Wide(folder)), PlatformError);
    EXPECT_EQ(folders.Path(), Wide(temp / "addons"));
    EXPECT_EQ(changes.size(), 1u);
}

TEST_F(ChoiceTest, TheFolderListsReadKeepsTheFilesForTheFileListOnce) {
    const fs::path folder = Make_folder("addons");
    Write_file(folder / "b.pbo", "");
    Write_file(folder / "A.PBO", "");
    Write_file(folder / "c.txt", "");
    reader.Subfolders(Wide(folder));
    Write_file(folder / "late.pbo", "");
    EXPECT_EQ(reader.Addon_files(Wide(folder)), (std::vector<std::wstring>{L"A.PBO", L"b.pbo"}));
    EXPECT_EQ(reader.Addon_files(Wide(folder)),
              (std::vector<std::wstring>{L"A.PBO", L"b.pbo", L"late.pbo"}));
    reader.Subfolders(Wide(folder));
    reader.Forget();
    Write_file(folder / "later.pbo", "");
    EXPECT_EQ(reader.Addon_files(Wide(folder)).size(), 4u);
}

// The fakes keep the same contract as the controls of both front ends.
TEST(ControlContract, TheFakeControlsKeepIt) {
    FakeTextBox box;
    Expect_text_box_contract(
        box, [&box](const std::wstring& text) { box.Type(text); }, true);
    FakeListBox list;
    Expect_list_box_contract(list);
    Expect_list_box_limit(list);
    std::vector<FakeOption*> frame;
    FakeOption zip(frame), rar(frame), sfx(frame);
    Expect_option_frame_contract({&zip, &rar, &sfx});
}

TEST(FolderPaths, ShownChainAndSubfolderFollowTheSeparatorRules) {
    struct Case {
        std::wstring path, shown;
        std::vector<std::wstring> chain;
    } cases[] = {
        {L"/", L"/", {L"/"}},
        {L"/home/me//", L"/home/me", {L"/", L"/home", L"/home/me"}},
        {L"/home", L"/home", {L"/", L"/home"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(To_utf8(c.path));
        EXPECT_EQ(Folder_to_show(c.path), c.shown);
        EXPECT_EQ(Folder_chain(c.shown), c.chain);
    }
    EXPECT_EQ(Subfolder_path(L"/", L"home"), L"/home");
    EXPECT_EQ(Subfolder_path(L"/home", L"me"), L"/home/me");
}

TEST(SortedEntries, MergesAddedEntriesInOrderIgnoringCaseAndFollowsTheSelection) {
    SortedEntries entries;
    for (const wchar_t* text : {L"b", L"C", L"a"}) {
        entries.Add(text);
    }
    EXPECT_EQ(entries.Count(), 3u);
    EXPECT_EQ(entries.Merge(-1), -1);
    entries.Add(L"B");  // equal to "b": after it, as added later
    entries.Add(L"0");
    EXPECT_TRUE(entries.Has_added());
    EXPECT_EQ(entries.Merge(1), 2);  // "b" moved down by "0"
    std::vector<std::wstring> texts;
    for (const SortedEntries::Entry& entry : entries.Merged()) {
        texts.push_back(entry.text);
    }
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"0", L"a", L"b", L"B", L"C"}));
    entries.Remove(0);
    EXPECT_EQ(entries.Merged().front().text, L"a");
    entries.Clear();
    EXPECT_EQ(entries.Count(), 0u);
}

}  // namespace
}  // namespace brelvik::test
