// "Pack it" from end to end: the stand-in archiver serves as both packers, the window starts it
// for real through the controls, and the archives it leaves are read back.
#include <signal.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "tests/starting_desktop.h"
#include "tests/test_window_fixture.h"
#include "tests/zip_reading.h"

namespace brelvik::test {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

const fs::path kPackProgram = fs::canonical(BRELVIK_PACK_PROGRAM);

// kWinRar leaves the archive type as choosing WinRAR makes it; kOwnPacker chooses WinZip where
// no WinZip entry is there.
enum class Choice { kWinZip, kWinRar, kWinRarZip, kOwnPacker };

// The running packers with an argument that names something below folder. Right after its
// start a process shows no arguments for a moment: with `starting`, packers without any count too.
std::vector<pid_t> Packers_below(const fs::path& folder, bool starting) {
    const std::string below = folder.string() + "/";
    std::vector<pid_t> found;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator("/proc", error)) {
        const std::string id = entry.path().filename();
        if (id.find_first_not_of("0123456789") != std::string::npos ||
            fs::read_symlink(entry.path() / "exe", error) != kPackProgram) {
            continue;
        }
        std::string arguments;
        try {
            std::ifstream file(entry.path() / "cmdline", std::ios::binary);
            arguments.assign(std::istreambuf_iterator<char>(file), {});
        } catch (const std::ios_base::failure&) {
            continue;  // it ended while it was looked at
        }
        if (arguments.find(below) != std::string::npos || (starting && arguments.empty())) {
            found.push_back(std::stoi(id));
        }
    }
    return found;
}

// Waits up to 30 s for the packers working below folder to end; kills any that still run then,
// so that a stuck packer fails the test instead of hanging it.
bool Packers_ended(const fs::path& folder) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!Packers_below(folder, true).empty()) {
        if (std::chrono::steady_clock::now() > deadline) {
            for (const pid_t packer : Packers_below(folder, false)) {
                kill(packer, SIGKILL);
            }
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

// A release where every path holds a space and an "others" folder: two add-ons, jeep.pbo
// without its info file, and an other file below them.
class PackingTest : public WindowTest {
  protected:
    void SetUp() override {
        setenv("BRELVIK_PACK_NO_WINDOW", "1", 1);  // the packer reports to standard error
        fs::create_directories(addons / "others");
        fs::create_directories(lists);
        Write_release();
        Write_file(addons / "jeep.pbo", kJeepPbo);
        Write_store({std::nullopt, kEntry, kEntry});
        starting.ownPacker = Wide(kPackProgram);
        registry = std::make_unique<RegAccess>(Store_path());
        window = std::make_unique<QtWindow>(*registry, *files, starting);
        window->show();
        Browse_to(addons);
    }

    void Write_release() {
        Write_file(addons / "tank.pbo", kTankPbo);
        Write_file(addons / "tank.txt", kTankTxt);
        Write_file(readme, kReadme);
    }

    void Press(QWidget* control) { QTest::mouseClick(control, Qt::LeftButton); }

    void Choose(Choice choice) {
        window->SSTab1->Bar()->setCurrentIndex(3);
        Write_store({std::nullopt, kEntry,
                     choice == Choice::kOwnPacker ? std::nullopt : std::optional(kEntry)});
        QtWindow& w = *window;
        const bool winZip = choice == Choice::kWinZip || choice == Choice::kOwnPacker;
        Press(winZip ? w.Option2 : w.Option1);
        if (choice == Choice::kWinRarZip) {
            Press(w.Option3);
        }
    }

    // The list of the add-on and, when wanted, the other file, built and saved in the window.
    void Save_list(const std::wstring& addon, bool withOther) {
        window->SSTab1->Bar()->setCurrentIndex(2);
        Press(window->Command3);
        Click_file(addon, true);
        if (withOther) {
            starting.answers.push_back(Wide(readme));
            Press(window->Command4);
        }
        starting.answers.push_back(Wide(list));
        Press(window->Command7);
    }

    // "Pack it" for the add-on, or for the saved list, until the packer has ended.
    void Pack_it(const std::wstring& addon, bool useList) {
        window->SSTab1->Bar()->setCurrentIndex(3);
        if (window->Check1->Value() != (useList ? 1 : 0)) {
            Press(window->Check1);
        }
        Click_file(addon);
        Press(window->Command5);
        EXPECT_TRUE(Packers_ended(temp.Path())) << "a packer still ran after 30 s";
        EXPECT_EQ(starting.messages, std::vector<std::wstring>{});
    }

    static ZipEntries Tank() { return {{"tank.pbo", kTankPbo}, {"tank.txt", kTankTxt}}; }
    static ZipEntries With_readme(ZipEntries entries) {
        entries.emplace("read me.doc", kReadme);
        return entries;
    }

    static inline const std::string kTankPbo = "PBO\0\xff\x80 tank"s + std::string(40, 'T');
    static inline const std::string kTankTxt = "Tank\r\nDIZUV Information\r\n";
    static inline const std::string kJeepPbo = "PBO\0 jeep"s;
    static inline const std::string kReadme = "read me\r\n";

    const std::wstring kEntry = Wide(kPackProgram) + L",0";
    StartingDesktop starting;
    const fs::path addons = temp / "others" / "my addons";
    const fs::path readme = addons / "others" / "read me.doc";
    const fs::path lists = temp / "my lists";
    const fs::path list = lists / "my release.txta";
    const fs::path listArchive = lists / "my release.zip";
};

TEST_F(PackingTest, PackItMakesTheZipOfTheAddonOrOfTheSavedList) {
    struct Case {
        const char* what;
        Choice choice;
        std::wstring addon;
        bool useList;
        ZipEntries archive;
    } cases[] = {
        {"WinZip, one add-on", Choice::kWinZip, L"tank.pbo", false, Tank()},
        // Brelvik's packer makes zip only: WinRAR's choice alone leaves Zip chosen.
        {"WinRAR, type as chosen with it, one add-on", Choice::kWinRar, L"tank.pbo", false, Tank()},
        {"own packer in WinZip's place, list", Choice::kOwnPacker, L"tank.pbo", true,
         With_readme(Tank())},
        {"WinRAR with Zip, one add-on", Choice::kWinRarZip, L"tank.pbo", false, Tank()},
        {"WinZip, list", Choice::kWinZip, L"tank.pbo", true, With_readme(Tank())},
        {"WinRAR with Zip, list", Choice::kWinRarZip, L"tank.pbo", true, With_readme(Tank())},
        // The info file is named but missing: the rest is packed.
        {"WinZip, no info file", Choice::kWinZip, L"jeep.pbo", false, {{"jeep.pbo", kJeepPbo}}},
        {"WinRAR with Zip, list, no info file", Choice::kWinRarZip, L"jeep.pbo", true,
         With_readme({{"jeep.pbo", kJeepPbo}})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path archive =
            c.useList ? listArchive : (addons / To_utf8(c.addon)).replace_extension(".zip");
        fs::remove(archive);
        if (c.useList) {
            Save_list(c.addon, true);
        }
        Choose(c.choice);
        Pack_it(c.addon, c.useList);
        EXPECT_EQ(Read_zip(archive), c.archive);
    }
}

TEST_F(PackingTest, PackingAgainReplacesTheChangedMemberAndKeepsTheRest) {
    for (const Choice choice : {Choice::kWinZip, Choice::kWinRarZip}) {
        SCOPED_TRACE(choice == Choice::kWinZip ? "WinZip" : "WinRAR with Zip");
        Write_release();
        fs::remove(listArchive);
        Save_list(L"tank.pbo", true);
        Choose(choice);
        Pack_it(L"tank.pbo", true);
        Write_file(addons / "tank.txt", "new info");
        Write_file(readme, "no longer listed");

        Save_list(L"tank.pbo", false);
        Pack_it(L"tank.pbo", true);

        ZipEntries expected = With_readme(Tank());
        expected["tank.txt"] = "new info";
        EXPECT_EQ(Read_zip(listArchive), expected);
    }
}

}  // namespace
}  // namespace brelvik::test
