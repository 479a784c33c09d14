// The packer choice and "Pack it" through the real controls: the archive types each packer
// offers, the command line or message for each state of the controls, and a real start.
#include <cerrno>
#include <chrono>
#include <thread>

#include "platform/platform_error.h"
#include "tests/process_recorder.h"
#include "tests/starting_desktop.h"
#include "tests/test_window_fixture.h"

namespace brelvik::test {
namespace {

using Entries = std::vector<std::wstring>;
using Option = OptionMark* QtWindow::*;

const std::wstring kRar = L"/opt/r/rarpack,0";
const std::wstring kZip = L"/opt/z/abcdefgh.exe,0";
const std::wstring kOwn = L"/opt/b/brelvik-pack";
const std::wstring kNoPacker = L"Packing not possible, check the settings";
const Settings kBothPackers = {std::nullopt, kRar, kZip};

class PackTest : public WindowTest {
  protected:
    void Open(const Settings& settings = kBothPackers, const std::wstring& ownPacker = L"") {
        addons = Make_folder("addons");
        Write_file(addons / "tank.pbo", "");
        desktop.ownPacker = ownPacker;
        Start(settings);
        Browse_to(addons);
        window->SSTab1->Bar()->setCurrentIndex(3);
    }

    void Click(QWidget* control) { QTest::mouseClick(control, Qt::LeftButton); }
    void Click(const std::vector<Option>& options) {
        for (Option option : options) {
            Click(window.get()->*option);
        }
    }
    void Press_on_list_tab(QPushButton* command) {
        window->SSTab1->Bar()->setCurrentIndex(2);
        Click(command);
        window->SSTab1->Bar()->setCurrentIndex(3);
    }

    // The archive types as they show: hidden or not, selected or not, label grey or not.
    std::string Types() const {
        QtWindow& w = *window;
        std::string shown;
        for (auto [name, option, label] :
             {std::tuple{"Zip", w.Option3, w.Label4}, std::tuple{"Rar", w.Option4, w.Label5},
              std::tuple{"SFX", w.Option5, w.Label6}}) {
            shown += std::string(shown.empty() ? "" : ", ") + name +
                     (option->isHidden() ? " hidden" : "") + (option->Value() ? " selected" : "") +
                     (label->Is_grey() ? " grey" : "");
        }
        return shown;
    }
    // The packers' labels, each as screen readers announce its option too.
    std::string Packer_labels() const {
        std::string shown;
        for (auto [option, label] : {std::pair{window->Option1, window->Label1},
                                     std::pair{window->Option2, window->Label2}}) {
            shown += (shown.empty() ? "" : " / ") + label->text().toStdString();
            if (label->fontMetrics().horizontalAdvance(label->text()) > label->width()) {
                shown += " (cut off)";
            }
            if (option->accessibleName() != label->text()) {
                shown += " (announced " + option->accessibleName().toStdString() + ")";
            }
        }
        return shown;
    }

    std::filesystem::path addons;
};

TEST_F(PackTest, TheChosenPackerDecidesTheArchiveTypesOnOffer) {
    const std::string zipOnly = "Zip selected, Rar hidden grey, SFX hidden grey";
    const std::wstring ownEntry = kOwn + L",0";
    struct Case {
        const char* what;
        Settings settings;
        std::vector<Option> clicks;
        std::string types;
        std::wstring ownPacker = L"";
        std::string labels = "Use WinRar / Use WinZip";
    } cases[] = {
        {"WinZip, then WinRAR",
         kBothPackers,
         {&QtWindow::Option2, &QtWindow::Option1},
         "Zip, Rar, SFX"},
        {"WinRAR, Rar, then WinZip",
         kBothPackers,
         {&QtWindow::Option1, &QtWindow::Option4, &QtWindow::Option2},
         zipOnly},
        {"WinRAR alone installed",
         {std::nullopt, kRar, std::nullopt},
         {&QtWindow::Option1},
         "Zip, Rar, SFX"},
        {"WinRAR, SFX, then WinRAR again",
         kBothPackers,
         {&QtWindow::Option1, &QtWindow::Option5, &QtWindow::Option1},
         "Zip, Rar, SFX selected"},
        // Brelvik's own packer makes zip archives only, in whichever packer's place.
        {"own packer in both places, WinZip then WinRAR",
         {std::nullopt, ownEntry, ownEntry},
         {&QtWindow::Option2, &QtWindow::Option1},
         zipOnly,
         kOwn,
         "brelvik-pack / brelvik-pack"},
        {"own packer in WinZip's place, WinRAR then WinZip",
         {std::nullopt, kRar, std::nullopt},
         {&QtWindow::Option1, &QtWindow::Option4, &QtWindow::Option2},
         zipOnly,
         kOwn,
         "Use WinRar / brelvik-pack"},
        {"own packer installed, WinZip registered",
         kBothPackers,
         {&QtWindow::Option2},
         zipOnly,
         kOwn},
        {"own packer alone", {}, {&QtWindow::Option2}, zipOnly, kOwn, "Use WinRar / brelvik-pack"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Open(c.settings, c.ownPacker);
        Click(c.clicks);
        EXPECT_EQ(Types(), c.types);
        EXPECT_EQ(Packer_labels(), c.labels);
    }
}

TEST_F(PackTest, AKeyThatSelectsAPackerRunsItsProcedure) {
    Open();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    Click(window->Option1);
    QTest::keyClick(window->Option1, Qt::Key_Down);
    EXPECT_TRUE(window->Option2->Value());
    EXPECT_EQ(Types(), "Zip selected, Rar hidden grey, SFX hidden grey");
}

TEST_F(PackTest, PackItStartsTheLineForTheControlsOrSaysWhatIsMissing) {
    Open();
    const std::wstring list = Wide(temp / "release.txta");
    desktop.answers.push_back(list);
    Press_on_list_tab(window->Command7);
    const std::wstring p = L"/opt/r/rarpack", z = L"/opt/z/wzzip.exe -ex ";
    const std::wstring b = Wide(addons / "tank"), l = Wide(temp / "release.");
    const std::wstring add = L" a -o+ -ed -ep -ibck -af";
    // The rows run in order on one window; each clicks only the options that change.
    struct Case {
        std::vector<Option> clicks;
        bool useList, selected, clearList;
        std::wstring started, message = {};
    } cases[] = {
        {{}, false, true, false, L"", kNoPacker},  // nothing to mend in the settings file
        {{&QtWindow::Option1, &QtWindow::Option3},
         false,
         true,
         false,
         p + add + L"zip -m5 " + b + L" " + b + L".txt " + b + L".pbo"},
        {{&QtWindow::Option3}, true, true, false, p + add + L"zip -m5 " + l + L"zip @" + list},
        {{&QtWindow::Option4},
         false,
         true,
         false,
         p + add + L"rar -m5 " + b + L" " + b + L".txt " + b + L".pbo"},
        {{&QtWindow::Option4}, true, false, false, p + add + L"rar -m5 " + l + L"rar @" + list},
        {{&QtWindow::Option5}, false, true, false, p + L" s " + b + L".rar"},
        {{&QtWindow::Option5}, true, true, false, p + L" s " + l + L"rar"},
        {{&QtWindow::Option2}, false, true, false, z + b + L".zip " + b + L".pbo " + b + L".txt"},
        {{&QtWindow::Option2}, true, true, false, z + l + L"zip @" + list},
        {{&QtWindow::Option1}, false, true, false, p + L" s " + b + L".rar"},  // no type chosen
        {{}, false, false, false, L"", L"No addon selected"},
        {{}, true, true, true, L"", L"No list selected, please save current list and try again"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(To_utf8(c.started + c.message));
        if (c.clearList) {
            Press_on_list_tab(window->Command3);
        }
        Click(c.clicks);
        if (window->Check1->Value() != (c.useList ? 1 : 0)) {
            Click(window->Check1);
        }
        window->File1->clearSelection();
        if (c.selected) {
            Click_file(L"tank.pbo");
        }
        desktop.messages.clear();
        desktop.started.clear();
        Click(window->Command5);
        EXPECT_EQ(desktop.started, c.started.empty() ? Entries() : Entries{c.started});
        EXPECT_EQ(desktop.messages, c.message.empty() ? Entries() : Entries{c.message});
    }
}

TEST_F(PackTest, EveryPressReadsTheEntryAndAFailedStartLeavesTheWindowUsable) {
    Open();
    Click({&QtWindow::Option1, &QtWindow::Option5});
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
        desktop.messages.clear();
        desktop.started.clear();
        Click(window->Command5);
        EXPECT_EQ(desktop.started, c.started.empty() ? Entries() : Entries{c.started});
        EXPECT_EQ(desktop.messages, c.message.empty() ? Entries() : Entries{c.message});
    }
}

// Without a usable WinZip entry, WinZip's command line starts Brelvik's own packer; a registered
// WinZip comes first, and one that is gone after the start leaves the settings to mend.
TEST_F(PackTest, WithoutWinZipItsCommandLineStartsTheOwnPacker) {
    Open({std::nullopt, kRar, std::nullopt}, kOwn);
    Click(window->Option2);
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
        desktop.messages.clear();
        desktop.started.clear();
        Click(window->Command5);
        EXPECT_EQ(desktop.started, c.started.empty() ? Entries() : Entries{c.started});
        EXPECT_EQ(desktop.messages, c.message.empty() ? Entries() : Entries{c.message});
    }
}

// The recorder writes down the arguments it received, after its first one, into a file named by
// that first one; it appears whole when done.
std::vector<std::wstring> Recorded_arguments(const std::filesystem::path& record) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!std::filesystem::exists(record) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    std::ifstream file(record, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    std::vector<std::wstring> arguments;
    const std::size_t header = bytes.find('\n', bytes.find('\n') + 1);
    for (std::size_t start = header + 1; header != std::string::npos && start < bytes.size();) {
        const std::size_t end = bytes.find('\0', start);
        arguments.push_back(From_utf8(bytes.substr(start, end - start)).value_or(L"?"));
        start = end + 1;
    }
    return arguments;
}

TEST_F(PackTest, APackerStartedForRealReceivesItsArgumentsWhole) {
    const std::filesystem::path packer = Make_folder("packer dir") / "rarpack";
    std::filesystem::copy_file(Recorder_path(), packer);
    const std::filesystem::path folder = Make_folder("my addons");
    Write_file(folder / "tank.pbo", "");
    Write_store({std::nullopt, Wide(packer) + L",0", std::nullopt});
    StartingDesktop starting;
    registry = std::make_unique<RegAccess>(Store_path());
    window = std::make_unique<QtWindow>(*registry, *files, starting);
    window->show();
    Browse_to(folder);
    Click_file(L"tank.pbo");
    window->SSTab1->Bar()->setCurrentIndex(3);
    Click({&QtWindow::Option1, &QtWindow::Option3});

    // The packer's first argument is "a": its record lands there in its working folder.
    const std::filesystem::path work = Make_folder("work"),
                                before = std::filesystem::current_path();
    std::filesystem::current_path(work);
    Click(window->Command5);
    std::filesystem::current_path(before);
    const std::wstring base = Wide(folder / "tank");
    EXPECT_EQ(Recorded_arguments(work / "a"),
              (Entries{L"-o+", L"-ed", L"-ep", L"-ibck", L"-afzip", L"-m5", base, base + L".txt",
                       base + L".pbo"}));
    EXPECT_TRUE(starting.messages.empty());
}

}  // namespace
}  // namespace brelvik::test
