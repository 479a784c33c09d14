// Start-up, exit and the drive, folder and file lists.
#include "platform/folders.h"
#include "tests/test_window_fixture.h"

namespace brelvik::test {
namespace {

using BrowserTest = WindowTest;

std::wstring Read_last_folder(const std::filesystem::path& store) {
    RegAccess registry(store);
    return Value_text(
        registry.Read_setting(kHkeyLocalMachine, L"SOFTWARE\\Quorvane\\Veldrun", L"VDRFC"));
}

TEST_F(BrowserTest, TheLastFolderComesBackAtStartAndIsStoredOnlyByExit) {
    const std::filesystem::path folder = Make_folder("mods/release");
    Write_file(folder / "tank.pbo", "");
    QtWindow& w = Start({Wide(folder)});
    EXPECT_EQ(w.Drive1->Drive(), Drive_of(Wide(folder), List_drives()));
    EXPECT_EQ(w.Dir1->Path(), Wide(folder));
    EXPECT_EQ(w.File1->Path(), Wide(folder));
    EXPECT_EQ(w.Procedures().currentDir, Wide(folder));
    EXPECT_EQ(File_entries(), std::vector<std::wstring>{L"tank.pbo"});

    Browse_to(temp / "mods");
    window->close();  // the title bar's close button: nothing stored
    EXPECT_EQ(Read_last_folder(Store_path()), Wide(folder));

    Start({Wide(folder)});
    Browse_to(temp / "mods");
    QTest::mouseClick(window->Command2, Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(Read_last_folder(Store_path()), Wide(temp / "mods"));
    EXPECT_TRUE(desktop.messages.empty());
}

// Whether or not the lists change at start-up, they and the Addonlist agree on the folder.
TEST_F(BrowserTest, StartUpInTheStoredFolderOrTheRootKnowsTheFolderShown) {
    const std::filesystem::path folder = Make_folder("addons");
    Write_file(folder / "x.pbo", "");
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    QtWindow& w = Start({Wide(folder)});
    std::filesystem::current_path(before);
    EXPECT_EQ(w.Procedures().currentDir, Wide(folder));
    Click_file(L"x.pbo", true);
    EXPECT_EQ(w.Procedures().addonListText,
              Wide(folder / "x.pbo") + L"\r\n" + Wide(folder / "x.txt") + L"\r\n");

    Start({L"/"});
    EXPECT_EQ(window->Drive1->Drive(), L"/");
    EXPECT_EQ(window->Dir1->Path(), L"/");
    EXPECT_EQ(window->Procedures().currentDir, L"/");
}

TEST_F(BrowserTest, FileListShowsVisibleAddonsOfAnyLetterCase) {
    const std::filesystem::path folder = Make_folder("addons");
    for (const char* name : {"b.pbo", "A.PBO", "c.txt", ".hidden.pbo", "tank.pbo.bak"}) {
        Write_file(folder / name, "");
    }
    Start();
    Browse_to(folder);
    EXPECT_EQ(File_entries(), (std::vector<std::wstring>{L"A.PBO", L"b.pbo"}));
}

TEST_F(BrowserTest, OpeningAFolderEntryChangesFolderFileListAndCurrentDir) {
    // Not UTF-8: the name shows with a replacement mark and still opens its folder.
    const std::filesystem::path folder = Make_folder("addons/desert\xE9");
    Write_file(folder / "tank.pbo", "");
    Start();
    Browse_to(temp / "addons");
    FolderBox* dir = window->Dir1;
    const std::vector<std::wstring> chain = Folder_chain(Wide(temp / "addons"));
    ASSERT_EQ(dir->count(), static_cast<int>(chain.size()) + 1);  // the chain, then "desert"
    EXPECT_EQ(dir->item(static_cast<int>(chain.size()))->text().trimmed().toStdWString(),
              L"desert\uFFFD");

    window->Text1->Set_text(L"kept");
    const QRect entry = dir->visualItemRect(dir->item(static_cast<int>(chain.size())));
    QTest::mouseClick(dir->viewport(), Qt::LeftButton, {}, entry.center());
    QTest::mouseDClick(dir->viewport(), Qt::LeftButton, {}, entry.center());
    EXPECT_EQ(dir->Path(), Wide(folder));
    EXPECT_EQ(window->File1->Path(), Wide(folder));
    EXPECT_EQ(window->Procedures().currentDir, Wide(folder));
    EXPECT_EQ(File_entries(), std::vector<std::wstring>{L"tank.pbo"});
    EXPECT_EQ(window->Text1->Text(), L"kept");

    dir->setCurrentRow(static_cast<int>(chain.size()) - 1);  // back up with the keyboard
    dir->setFocus();
    QTest::keyClick(dir, Qt::Key_Return);
    EXPECT_EQ(dir->Path(), Wide(temp / "addons"));
    EXPECT_EQ(window->Procedures().currentDir, Wide(temp / "addons"));
}

TEST_F(BrowserTest, FileListRunsClickOnSelectionAndClickBeforeDoubleClick) {
    const std::filesystem::path folder = Make_folder("addons");
    Write_file(folder / "jeep.pbo", "");
    Write_file(folder / "tank.pbo", "");
    Write_file(folder / "tank.txt", "/x/unitsTank");
    Start();
    Browse_to(folder);  // setting the folder selects nothing and loads nothing
    EXPECT_EQ(window->File1->File_name(), L"");
    EXPECT_EQ(window->Text1->Text(), L"No entry\r\n");

    std::vector<std::wstring> events;
    window->File1->onDblClick = [&] { events.push_back(L"dblclick " + window->Text1->Text()); };
    Click_file(L"tank.pbo", true);
    EXPECT_EQ(events, std::vector<std::wstring>{L"dblclick Tank"});
    EXPECT_EQ(window->File1->File_name(), L"tank.pbo");

    // The selection stays, and with it the edits: a Ctrl+click on the entry, a click below the
    // entries and a click on the selected entry again neither clear it nor reload the file.
    window->Text1->Set_text(L"edited");
    FileBox* list = window->File1;
    const QPoint tank = list->visualRect(list->model()->index(1, 0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, tank);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      {tank.x(), list->viewport()->height() - 2});
    Click_file(L"tank.pbo");
    EXPECT_EQ(window->File1->File_name(), L"tank.pbo");
    EXPECT_EQ(window->Text1->Text(), L"edited");

    Click_file(L"jeep.pbo");
    EXPECT_EQ(window->Text1->Text(), L"No entry");
}

}  // namespace
}  // namespace brelvik::test
