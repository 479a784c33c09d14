// The Addonlist commands over fake controls: adding add-ons and other files, removing entries,
// clearing, saving and loading list files in a temporary folder.
#include <gmock/gmock.h>

#include <cerrno>

#include "addonlist/addonlist.h"
#include "addonlist/listfile.h"
#include "info/infofile.h"
#include "platform/folders.h"
#include "platform/pathsep.h"
#include "platform/platform_error.h"
#include "tests/procedure_fixture.h"
#include "tests/support/mount_faults.h"

namespace brelvik::test {
namespace {

using Entries = std::vector<std::wstring>;
// The text, the boxes and the list file's path.
using ListState = std::tuple<std::wstring, Entries, Entries, std::wstring>;
using ::testing::HasSubstr;

const std::wstring kFull = L"The Addonlist is full: a list box holds at most 32767 entries";

class AddonlistTest : public ProcedureTest {
  protected:
    void SetUp() override {
        addons = Make_folder("addons");
        for (const char* name :
             {"x.pbo", "y.pbo", "x.pbox.pbo", "tank.pbo", "ank.pbo", "Z.PBO", "m.Pbo"}) {
            Write_file(addons / name, "");
        }
        Start();
    }

    // A path as the commands build it from a folder and a name.
    static std::wstring In(const std::filesystem::path& folder, const std::wstring& name) {
        return Wide(folder) + kPathSeparator + name;
    }
    std::wstring D(const std::wstring& name) const { return In(addons, name); }

    // A double-click on an add-on in the file list, or an other file chosen in the dialog.
    void Add(const std::wstring& name, const std::filesystem::path& folder = {}) {
        Browse_to(folder.empty() ? addons : folder);
        Click_file(name, true);
    }
    void Add_other(const std::wstring& path) {
        desktop.answers.push_back(path);
        window->Handle(Event::kCommand4Click);
    }
    void Load(const std::wstring& path) {
        desktop.answers.push_back(path);
        window->Handle(Event::kCommand6Click);
    }
    void Save(const std::wstring& path) {
        desktop.answers.push_back(path);
        window->Handle(Event::kCommand7Click);
    }
    // Each path ending in ".pbo" (any letter case) is double-clicked in the file list, any other
    // is chosen as an other file.
    void Build(const Entries& steps) {
        for (const std::wstring& path : steps) {
            if (Folded(path).ends_with(L".pbo")) {
                const std::filesystem::path file(To_utf8(path));
                Add(From_utf8(file.filename().native()).value(), file.parent_path());
            } else {
                Add_other(path);
            }
        }
    }
    void Press(Event command) { window->Handle(command); }

    // A user's double-click on the box's entry with this text: it selects the entry first.
    void Dbl_click(FakeListBox* box, const std::wstring& text) {
        const Entries items = box->Items();
        const auto found = std::ranges::find(items, text);
        ASSERT_NE(found, items.end()) << "no entry to double-click";
        box->Set_list_index(static_cast<int>(found - items.begin()));
        window->Handle(box == &window->AddonList ? Event::kAddonListDblClick
                                                 : Event::kfilelistDblClick);
    }

    void Expect_list(const std::wstring& text, const Entries& addonBox, const Entries& otherBox) {
        EXPECT_EQ(window->procedures->addonListText, text);
        EXPECT_EQ(window->AddonList.Items(), addonBox);
        EXPECT_EQ(window->filelist.Items(), otherBox);
    }

    ListState State() const {
        return {window->procedures->addonListText, window->AddonList.Items(),
                window->filelist.Items(), window->procedures->addonListPath};
    }

    // A list file of the given numbers of add-on and other entries.
    std::wstring Write_list(const std::string& name, int addonEntries, int otherEntries) {
        std::string text;
        for (int i = 0; i < addonEntries; ++i) {
            text += "a" + std::to_string(i) + ".pbo\r\n";
        }
        text += "\r\n/others/";
        for (int i = 0; i < otherEntries; ++i) {
            text += "\r\no" + std::to_string(i);
        }
        Write_file(temp / name, text);
        return Wide(temp / name);
    }

    std::filesystem::path addons;
};

// The packers store bare names, so a second file of a listed name would collide in the archive.
TEST_F(AddonlistTest, AnAddonIsRefusedOnlyWhenItsFileNameIsListed) {
    const std::filesystem::path elsewhere = Make_folder("elsewhere");
    Write_file(elsewhere / "TANK.PBO", "");
    Write_file(elsewhere / "x.pbo", "");
    Add(L"tank.pbo");
    Add_other(In(temp / "notes", L"x.pbo"));
    struct Case {
        std::filesystem::path folder;
        std::wstring name;
        bool added;
    } cases[] = {
        {addons, L"tank.pbo", false},
        {elsewhere, L"TANK.PBO", false},
        {elsewhere, L"x.pbo", false},  // an other file of that name
        {addons, L"ank.pbo", true},    // tank.pbo holds the name, but is another file
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(To_utf8(c.name));
        const std::wstring before = window->procedures->addonListText;
        Add(c.name, c.folder);
        const std::wstring pair = In(c.folder, c.name) + L"\r\n" +
                                  Joined_path(Wide(c.folder), Info_name(c.name)) + L"\r\n";
        EXPECT_EQ(window->procedures->addonListText, c.added ? pair + before : before);
    }
}

// Pairs go in front of the text and other files behind the marker line; the boxes sort both.
TEST_F(AddonlistTest, AddingBuildsTheTextWhileTheBoxesShowItSorted) {
    // A folder named "others" puts the marker's characters into paths, not a marker line.
    const std::filesystem::path others = Make_folder("others");
    Write_file(others / "z.pbo", "");
    const std::wstring f = In(temp.Path(), L"f.doc"), g = In(others, L"g.doc"),
                       z = In(others, L"z.pbo");
    const std::wstring x = D(L"x.pbo") + L"\r\n" + D(L"x.txt");
    const std::wstring y = D(L"y.pbo") + L"\r\n" + D(L"y.txt");
    struct Case {
        Entries steps;
        std::wstring text;
        Entries addonBox, otherBox;
    } cases[] = {
        {{D(L"x.pbo")}, x + L"\r\n", {D(L"x.pbo"), D(L"x.txt")}, {}},
        {{D(L"x.pbo"), D(L"y.pbo")},
         y + L"\r\n" + x + L"\r\n",
         {D(L"x.pbo"), D(L"x.txt"), D(L"y.pbo"), D(L"y.txt")},
         {}},
        {{f, g}, L"/others/\r\n" + f + L"\r\n" + g, {}, {f, g}},
        {{D(L"x.pbo"), f}, x + L"\r\n\r\n/others/\r\n" + f, {D(L"x.pbo"), D(L"x.txt")}, {f}},
        {{g, D(L"x.pbo"), f},
         x + L"\r\n/others/\r\n" + g + L"\r\n" + f,
         {D(L"x.pbo"), D(L"x.txt")},
         {f, g}},
        {{z, f},
         z + L"\r\n" + In(others, L"z.txt") + L"\r\n\r\n/others/\r\n" + f,
         {z, In(others, L"z.txt")},
         {f}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(To_utf8(c.text));
        Press(Event::kCommand3Click);
        Build(c.steps);
        Expect_list(c.text, c.addonBox, c.otherBox);
        EXPECT_TRUE(desktop.messages.empty());
    }
}

TEST_F(AddonlistTest, ADoubleClickRemovesTheEntryAndAnAddonsOwnInfoEntry) {
    const std::wstring f = In(temp.Path(), L"f.doc"), g = In(temp.Path(), L"g.doc");
    const std::wstring x = D(L"x.pbo"), y = D(L"y.pbo");
    FakeListBox* const addonBox = &window->AddonList;
    struct Case {
        const char* what;
        Entries steps;
        std::vector<std::pair<FakeListBox*, std::wstring>> removed;
        std::wstring text;
    } cases[] = {
        {"an add-on with its info entry", {x, y}, {{addonBox, x}}, y + L"\r\n" + D(L"y.txt")},
        {"the info entry alone, the text rebuilt in box order",
         {x, y},
         {{addonBox, D(L"x.txt")}},
         x + L"\r\n" + y + L"\r\n" + D(L"y.txt")},
        {"the add-on alone once its info entry is gone",
         {x, y},
         {{addonBox, D(L"x.txt")}, {addonBox, x}},
         y + L"\r\n" + D(L"y.txt")},
        {"the info entry although another add-on sorts in between",
         {x, D(L"x.pbox.pbo")},
         {{addonBox, x}},
         D(L"x.pbox.pbo") + L"\r\n" + D(L"x.pbox.txt")},
        {"no entry but its own, though its info path is an other file",
         {x, y, D(L"x.txt")},
         {{addonBox, D(L"x.txt")}, {addonBox, x}},
         y + L"\r\n" + D(L"y.txt") + L"\r\n/others/\r\n" + D(L"x.txt")},
        {"the last add-on of a list with other files",
         {x, g, f},
         {{addonBox, x}},
         L"/others/\r\n" + f + L"\r\n" + g},
        {"an upper-case add-on with its info entry",
         {D(L"Z.PBO"), y},
         {{addonBox, D(L"Z.PBO")}},
         y + L"\r\n" + D(L"y.txt")},
        {"a mixed-case add-on alone: only .pbo and .PBO mark add-on entries",
         {D(L"m.Pbo")},
         {{addonBox, D(L"m.Pbo")}},
         D(L"m.txt")},
        {"every other file",
         {x, f, g},
         {{&window->filelist, g}, {&window->filelist, f}},
         x + L"\r\n" + D(L"x.txt")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Press(Event::kCommand3Click);
        Build(c.steps);
        for (const auto& [box, entry] : c.removed) {
            Dbl_click(box, entry);
        }
        const AddonListEntries shown = Split_addonlist(c.text);
        Expect_list(c.text, shown.addons, shown.others);
        EXPECT_EQ(addonBox->List_index(), -1);
    }
}

TEST_F(AddonlistTest, ClearListEmptiesTextBoxesAndPath) {
    Add(L"x.pbo");
    Add_other(In(temp.Path(), L"f.doc"));
    Save(Wide(temp / "release.txta"));
    ASSERT_FALSE(window->procedures->addonListPath.empty());
    Press(Event::kCommand3Click);
    EXPECT_EQ(State(), ListState());
}

TEST_F(AddonlistTest, CancelledDialogsChangeNothing) {
    Add(L"x.pbo");
    Add_other(In(temp.Path(), L"f.doc"));
    const ListState before = State();
    for (Event command : {Event::kCommand4Click, Event::kCommand6Click, Event::kCommand7Click}) {
        Press(command);
        EXPECT_EQ(State(), before);
    }
    using Kind = FakeDesktop::Dialog::Kind;
    const std::wstring list = L"Addonlist (*.txta)|*.txta";
    const std::vector<std::tuple<Kind, std::wstring, std::wstring>> expected = {
        {Kind::kOpen, Wide(addons), L"All files (*.*)|*.*"},
        {Kind::kOpen, Wide(addons), L"All files (*.*)|*.*"},
        {Kind::kOpen, Wide(addons), list},
        {Kind::kSave, Wide(addons), list}};
    std::vector<std::tuple<Kind, std::wstring, std::wstring>> shown;
    for (const FakeDesktop::Dialog& dialog : desktop.dialogs) {
        shown.emplace_back(dialog.kind, dialog.folder, dialog.filter);
    }
    EXPECT_EQ(shown, expected);
}

TEST_F(AddonlistTest, ASavedListLoadsBackToTheSameEntries) {
    const std::wstring f = In(temp.Path(), L"f.doc");
    const std::wstring file = D(L"x.pbo") + L"\r\n" + D(L"x.txt") + L"\r\n\r\n/others/\r\n" + f;
    struct Case {
        const char* what;
        Entries steps;
        std::wstring removed;  // an entry double-clicked afterwards, which rebuilds the text
        std::wstring bytes;
    } cases[] = {
        {"rebuilt from the boxes", {D(L"x.pbo"), D(L"y.pbo"), f}, D(L"y.pbo"), file},
        {"built by adding", {D(L"x.pbo"), f}, L"", file},
        {"empty", {}, L"", L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Press(Event::kCommand3Click);
        Build(c.steps);
        if (!c.removed.empty()) {
            Dbl_click(&window->AddonList, c.removed);
        }
        const Entries addonBox = window->AddonList.Items(), otherBox = window->filelist.Items();
        const std::wstring path = Wide(temp / "release.txta");
        Save(path);
        EXPECT_EQ(window->procedures->addonListPath, path);
        EXPECT_EQ(From_ansi(Read_file(temp / "release.txta")), c.bytes);

        Add(L"tank.pbo");  // a change that loading drops
        Load(path);
        Expect_list(c.bytes, addonBox, otherBox);
        EXPECT_EQ(window->procedures->addonListPath, path);
        Save(Wide(temp / "again.txta"));  // saving a loaded list again adds no empty line
        EXPECT_EQ(Read_file(temp / "again.txta"), Read_file(temp / "release.txta"));
    }
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(AddonlistTest, AListFileThatCannotBeReadShowsTheErrorAndChangesNothing) {
    Add(L"x.pbo");
    Save(Wide(temp / "kept.txta"));
    const ListState before = State();
    const std::filesystem::path missing = temp / "missing.txta";
    struct Case {
        std::filesystem::path path;
        int error;
    } cases[] = {{missing, ENOENT}, {addons, EISDIR}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        desktop.messages.clear();
        Load(Wide(c.path));
        ASSERT_EQ(desktop.messages.size(), 1u);
        EXPECT_THAT(desktop.messages[0], HasSubstr(System_error_text(c.error)));
        EXPECT_EQ(State(), before);
    }
    EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST_F(AddonlistTest, AFailedSaveKeepsTheOldFileAndThePath) {
    const std::filesystem::path folder = Make_folder("readonly");
    Write_file(folder / "old.txta", "old list");
    if (!Mount_readonly(folder)) {
        GTEST_SKIP() << "no read-only mount here";
    }
    const ScopedMount mount(folder);
    Add(L"x.pbo");
    Save(Wide(temp / "kept.txta"));
    const ListState before = State();
    Save(Wide(folder / "old.txta"));
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_THAT(desktop.messages[0], HasSubstr(System_error_text(EROFS)));
    EXPECT_EQ(State(), before);
    EXPECT_EQ(Read_file(folder / "old.txta"), "old list");
}

// A line break in a name would cut it into other names when the list is saved and packed: a
// file named "x" LF "/home/me/.ssh/id_rsa" would make the packer take the key. Such names, and
// a list file too large for the boxes (refused before it is read), change nothing.
TEST_F(AddonlistTest, ANameWithALineBreakOrAListTooLargeIsRefusedAndSaysWhy) {
    const std::filesystem::path broken = Make_folder("two\nlines");
    Write_file(broken / "z.pbo", "");
    Write_file(temp / "broken.txta", "a.pbo\r\nb\n/home/me/.ssh/id_rsa");
    Write_file(temp / "big.txta", "");
    std::filesystem::resize_file(temp / "big.txta", kMaxListFileBytes + 1);
    struct Case {
        const char* what;
        std::function<void()> command;
        std::wstring message;
    } cases[] = {
        {"an add-on in a folder with a line break", [&] { Add(L"z.pbo", broken); }, L"z.pbo"},
        {"another file", [&] { Add_other(L"/tmp/x\n/home/me/.ssh/id_rsa"); }, L"/tmp/x\n"},
        {"a list file", [&] { Load(Wide(temp / "broken.txta")); }, L"b\n/home"},
        {"a list file too large", [&] { Load(Wide(temp / "big.txta")); }, L"too large"},
    };
    Add(L"x.pbo");
    Save(Wide(temp / "kept.txta"));
    const ListState before = State();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        desktop.messages.clear();
        c.command();
        ASSERT_EQ(desktop.messages.size(), 1u);
        EXPECT_THAT(desktop.messages[0], HasSubstr(c.message));
        EXPECT_EQ(State(), before);
    }
}

TEST_F(AddonlistTest, ACommandThatWouldOverfillABoxAddsNothingAndSaysSo) {
    const int most = ListBox::kMaxEntries;
    struct Case {
        const char* what;
        int addonEntries, otherEntries;
        std::function<void()> command;
    } cases[] = {
        {"loading too many add-on entries", 0, 0, [&] { Load(Write_list("big", most + 1, 1)); }},
        {"loading too many other entries", 0, 0, [&] { Load(Write_list("big", 1, most + 1)); }},
        {"an add-on pair into a box with one place", most - 1, 1, [&] { Add(L"x.pbo"); }},
        {"an other file into a full box", 1, most, [&] { Add_other(In(temp.Path(), L"f.doc")); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Load(Write_list("start", c.addonEntries, c.otherEntries));
        const ListState before = State();
        desktop.messages.clear();
        c.command();
        EXPECT_EQ(desktop.messages, Entries{kFull});
        EXPECT_EQ(State(), before);
    }
}

}  // namespace
}  // namespace brelvik::test
