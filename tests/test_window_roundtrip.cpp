// Info files loaded and saved without edits come back byte for byte, whichever tab was shown.
#include <random>

#include "tests/test_window_fixture.h"

namespace brelvik::test {
namespace {

const std::string kMarker = std::string(53, '=') + "\r\nDIZUV Information\r\n";
const char* const kTags[] = {"/x/units",  "/x/info",    "/x/comment",
                             "/x/author", "/x/version", "/x/reqversion"};

// Any byte, lone CR and LF and the no-break space among them; "/x/" would end a value early.
std::string Random_bytes(std::mt19937& random, std::size_t length) {
    std::string bytes(length, '\0');
    for (char& byte : bytes) {
        byte = static_cast<char>(random() % 256);
    }
    for (std::size_t at = bytes.find("/x/"); at != std::string::npos; at = bytes.find("/x/", at)) {
        bytes[at + 1] = 'y';
    }
    return bytes;
}

// A file as the program writes it: readme, marker, the set tags in order, the last one set.
std::string Random_info_file(std::mt19937& random, std::size_t longest) {
    const auto length = [&] { return 1 + random() % longest; };
    std::string file = Random_bytes(random, random() % 2 ? length() : 0) + "\r\n\r\n" + kMarker;
    for (const char* tag : kTags) {
        if (random() % 3 != 0 || std::string_view(tag) == "/x/reqversion") {
            file += tag + Random_bytes(random, length());
        }
    }
    return file;
}

class RoundTripTest : public WindowTest {
  protected:
    void SetUp() override {
        folder = Make_folder("addons");
        Write_file(folder / "tank.pbo", "pbo");
        Start();
        Browse_to(folder);
    }

    std::string Load_and_save(const std::string& info) {
        Write_file(folder / "tank.txt", info);
        window->File1->clearSelection();
        Click_file(L"tank.pbo");
        QApplication::processEvents();
        QTest::mouseClick(window->Command1, Qt::LeftButton);
        return Read_file(folder / "tank.txt");
    }

    std::filesystem::path folder;
};

TEST_F(RoundTripTest, UneditedFilesAreSavedByteForByte) {
    struct Case {
        const char* what;
        int tab;
        std::size_t longest;
        bool utf8 = false;  // the same characters in UTF-8 behind a byte-order mark
    } cases[] = {
        {"fields in view", 0, 300}, {"readme in view", 1, 300},
        {"no box in view", 2, 300}, {"values past the single-line widget's limit", 0, 40000},
        {"UTF-8", 0, 300, true},
    };
    std::mt19937 random(11);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        window->SSTab1->Bar()->setCurrentIndex(c.tab);
        for (int file = 0; file < 10; ++file) {
            std::string info = Random_info_file(random, c.longest);
            if (c.utf8) {
                info = "\xEF\xBB\xBF" + To_utf8(From_ansi(info));
            }
            ASSERT_EQ(Load_and_save(info), info) << "file " << file;
        }
    }
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(RoundTripTest, EditedBoxKeepsEveryCharacterAndBreaksLinesWithCrLf) {
    window->SSTab1->Bar()->setCurrentIndex(1);
    const std::wstring longLine(5000, L'w');
    window->Text7->Set_text(L"a\u00A0b\rc\n" + longLine + L"\r\nend");
    while (window->Text7->isReadOnly()) {  // the text goes in over several turns
        QApplication::processEvents();
    }
    window->Text7->setFocus();
    QTest::keyClick(window->Text7, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(window->Text7, "!");
    EXPECT_EQ(window->Text7->Text(), L"a\u00A0b\r\nc\r\n" + longLine + L"\r\nend!");

    window->SSTab1->Bar()->setCurrentIndex(0);
    window->Text5->Set_text(L"1\u00A0" + std::wstring(40000, L'0'));
    EXPECT_TRUE(window->Text5->isReadOnly()) << "too long to edit in one line";
    window->Text5->Set_text(L"1\u00A0");
    window->Text5->setFocus();
    QTest::keyClick(window->Text5, Qt::Key_End);
    QTest::keyClicks(window->Text5, "0");
    EXPECT_EQ(window->Text5->Text(), L"1\u00A00");
}

}  // namespace
}  // namespace brelvik::test
