// The packer choice and "Pack it" through the real controls: a key that selects a packer, and a
// real start. What "Pack it" starts for each state of the controls is a procedure test.
#include <chrono>
#include <thread>

#include "tests/process_recorder.h"
#include "tests/starting_desktop.h"
#include "tests/test_window_fixture.h"

namespace brelvik::test {
namespace {

using Entries = std::vector<std::wstring>;
using Option = OptionMark* QtWindow::*;

class PackTest : public WindowTest {
  protected:
    // Both packers' entries name programs that need not exist; the packer tab in front.
    void Open() {
        Start({std::nullopt, L"/opt/r/rarpack,0", L"/opt/z/abcdefgh.exe,0"});
        window->SSTab1->Bar()->setCurrentIndex(3);
    }

    void Click(QWidget* control) { QTest::mouseClick(control, Qt::LeftButton); }
    void Click(const std::vector<Option>& options) {
        for (Option option : options) {
            Click(window.get()->*option);
        }
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
};

TEST_F(PackTest, AKeyThatSelectsAPackerRunsItsProcedure) {
    Open();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    Click(window->Option1);
    QTest::keyClick(window->Option1, Qt::Key_Down);
    EXPECT_TRUE(window->Option2->Value());
    EXPECT_EQ(Types(), "Zip selected, Rar hidden grey, SFX hidden grey");
}

// The label that names Brelvik's own packer in WinZip's place fits, and its option is announced so.
TEST_F(PackTest, TheOwnPackersNameFitsItsLabel) {
    desktop.ownPacker = L"/opt/b/brelvik-pack";
    Start({});
    const QLabel& label = *window->Label2;
    EXPECT_EQ(label.text(), "brelvik-pack");
    EXPECT_LE(label.fontMetrics().horizontalAdvance(label.text()), label.width());
    EXPECT_EQ(window->Option2->accessibleName(), label.text());
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
