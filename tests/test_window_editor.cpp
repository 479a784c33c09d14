// Loading and saving info files through the real controls.
#include <unistd.h>

#include "platform/platform_error.h"
#include "tests/support/mount_faults.h"
#include "tests/test_window_fixture.h"

namespace brelvik::test {
namespace {

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

class EditorTest : public WindowTest {
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

    std::vector<std::wstring> Box_texts() const {
        QtWindow& w = *window;
        return {w.Text1->Text(), w.Text2->Text(), w.Text3->Text(), w.Text4->Text(),
                w.Text5->Text(), w.Text6->Text(), w.Text7->Text()};
    }

    void Type_into(QWidget* box, const QString& text) {
        box->setFocus();
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
    }

    void Press_save() { QTest::mouseClick(window->Command1, Qt::LeftButton); }

    const std::vector<std::wstring> kPlaceholders = {
        L"No entry", L"No entry", L"No entry", L"No entry", L"-", L"-", L""};
    std::filesystem::path folder;
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
        window->Text1->Set_text(L"typed");
        window->File1->clearSelection();
        if (c.info) {
            Write_file(folder / "tank.txt", *c.info);
        }
        Click_file(L"tank.pbo");
        EXPECT_EQ(Box_texts(), kPlaceholders);
        EXPECT_EQ(std::filesystem::exists(folder / "tank.txt"), c.remains);
        EXPECT_TRUE(desktop.messages.empty());
    }
}

TEST_F(EditorTest, WorkedExampleIsSavedByteForByteAndReadBack) {
    Click_file(L"tank.pbo");
    window->SSTab1->Bar()->setCurrentIndex(1);
    Type_into(window->Text7, QStringLiteral("Read me first"));
    window->SSTab1->Bar()->setCurrentIndex(0);
    Type_into(window->Text1, QStringLiteral("Tank"));
    Type_into(window->Text4, QStringLiteral("Someone"));
    Type_into(window->Text5, QStringLiteral("1.0"));
    Type_into(window->Text6, QStringLiteral("1.9"));
    Press_save();
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(Read_file(folder / "tank.txt"), kWorkedExample);
    EXPECT_EQ(kWorkedExample.size(), 148u);

    window->Text1->Set_text(L"changed");
    window->File1->clearSelection();
    Click_file(L"tank.pbo");
    EXPECT_EQ(Box_texts(), (std::vector<std::wstring>{L"Tank", L"No entry", L"No entry", L"Someone",
                                                      L"1.0", L"1.9", L"Read me first"}));
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
        window->File1->clearSelection();
        if (c.select) {
            Write_file(folder / "tank.txt", "plain");
            Click_file(L"tank.pbo");
            Write_file(folder / "tank.txt", kWorkedExample);
        }
        window->Text1->Set_text(c.units);
        window->Text6->Set_text(c.reqversion);
        desktop.messages.clear();
        Press_save();
        EXPECT_EQ(desktop.messages, c.messages);
        ASSERT_EQ(std::filesystem::exists(folder / "tank.txt"), c.file.has_value());
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
        window->File1->clearSelection();
        scripted->failing.clear();
        if (c.save) {
            Write_file(folder / "tank.txt", "plain");
            Click_file(L"tank.pbo");  // placeholders: nothing to save but the readme
        }
        Write_file(folder / "tank.txt", c.info);
        window->Text7->Set_text(L"typed");
        scripted->failing = c.operation;
        desktop.messages.clear();
        if (c.save) {
            Press_save();
        } else {
            Click_file(L"tank.pbo");
        }
        EXPECT_EQ(desktop.messages, c.messages);
        EXPECT_EQ(window->Text7->Text(), L"typed");
        EXPECT_TRUE(std::filesystem::exists(folder / "tank.txt"));
    }
}

TEST_F(EditorTest, SaveIntoAReadOnlyFolderKeepsTheOldFileWhole) {
    Write_file(folder / "tank.txt", kWorkedExample);
    Click_file(L"tank.pbo");
    if (!Mount_readonly(folder)) {
        GTEST_SKIP() << "this system does not permit a read-only bind mount";
    }
    ScopedMount mount(folder);
    window->Text1->Set_text(L"Heavy tank");
    Press_save();
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_NE(desktop.messages[0].find(Wide(folder / "tank.txt")), std::wstring::npos);
    EXPECT_EQ(Read_file(folder / "tank.txt"), kWorkedExample);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->Text1->Text(), L"Heavy tank");
}

// Paths are joined as plain text, so an add-on in the root folder has an info path with two
// separators, which names the file in the root folder.
TEST_F(EditorTest, AnAddonInTheRootFolderUsesTheDoubleSeparator) {
    const std::string name = "brelvik-root-test-" + std::to_string(getpid());
    const std::filesystem::path addon = "/" + name + ".pbo";
    if (geteuid() != 0 || access("/", W_OK) != 0) {
        GTEST_SKIP() << "needs a writable root folder";
    }
    struct Cleanup {
        std::filesystem::path addon, info;
        ~Cleanup() {
            std::filesystem::remove(addon);
            std::filesystem::remove(info);
        }
    } cleanup{addon, "/" + name + ".txt"};
    Write_file(addon, "pbo");
    Write_file(cleanup.info, "\r\n\r\n" + kMarker + "/x/unitsRoot");
    Browse_to("/");
    ASSERT_EQ(window->Dir1->Path(), L"/");
    Click_file(Wide(addon.filename()));
    EXPECT_EQ(window->Text1->Text(), L"Root");
    window->Text1->Set_text(L"Root2");
    window->Text6->Set_text(L"2");
    Press_save();
    EXPECT_EQ(Read_file(cleanup.info), "\r\n\r\n" + kMarker + "/x/unitsRoot2/x/reqversion2");
    EXPECT_EQ(scripted->measured.back(), L"//" + Wide(cleanup.info.filename()));
}

}  // namespace
}  // namespace brelvik::test
