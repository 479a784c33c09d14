#pragma once

#include <QGroupBox>
#include <QPushButton>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <string>

#include "app/captionlabel.h"
#include "app/drivelist.h"
#include "app/filelist.h"
#include "app/folderlist.h"
#include "app/markbuttons.h"
#include "app/sortedlistbox.h"
#include "app/tabcontrol.h"
#include "app/textbox.h"
#include "packing/packcommand.h"

namespace brelvik {

class Desktop;
class FileAccess;
class RegAccess;

// The program's one window. Creating it builds every control, wires the events and runs
// Form_Load; the caller then shows it. Each control is a member under its own name, which is
// also its objectName.
class AddonInfo : public QWidget {
  public:
    AddonInfo(RegAccess& registry, FileAccess& files, Desktop& desktop);

    // Form-level state shared by the procedures.
    std::wstring infoText;
    std::wstring currentDir;
    std::wstring addonListText;
    std::wstring addonListPath;
    std::int16_t fileNumber = 0;

    // Window level.
    TabControl* SSTab1;
    DriveList* Drive1;
    FolderList* Dir1;
    FileList* File1;
    QPushButton* Command1;
    QPushButton* Command2;
    // Tab 0 "Addon Information".
    QGroupBox* AddonInfoFrame;
    QGroupBox* Frame2;
    MultiLineBox* Text1;
    QGroupBox* Frame3;
    MultiLineBox* Text2;
    QGroupBox* Frame4;
    MultiLineBox* Text3;
    QGroupBox* Frame6;
    SingleLineBox* Text5;
    QGroupBox* Frame7;
    SingleLineBox* Text6;
    QGroupBox* Frame5;
    MultiLineBox* Text4;
    // Tab 1 "Readme".
    QGroupBox* Frame9;
    MultiLineBox* Text7;
    // Tab 2 "Addonlist".
    QGroupBox* Frame1;
    SortedListBox* AddonList;
    QPushButton* Command6;
    QPushButton* Command7;
    QPushButton* Command4;
    QPushButton* Command3;
    QGroupBox* Frame8;
    SortedListBox* filelist;
    // Tab 3 "Pack Addon".
    QGroupBox* Frame10;
    OptionButton* Option1;
    CaptionLabel* Label1;
    OptionButton* Option2;
    CaptionLabel* Label2;
    QGroupBox* Frame11;
    OptionButton* Option3;
    CaptionLabel* Label4;
    OptionButton* Option4;
    CaptionLabel* Label5;
    OptionButton* Option5;
    CaptionLabel* Label6;
    CheckMark* Check1;
    CaptionLabel* Label3;
    MultiLineBox* Text8;
    QPushButton* Command5;

  private:
    // Layout (addoninfo_layout.cpp).
    void Build_browser();
    void Show_working_folder();
    void Build_info_tab();
    void Build_readme_tab();
    void Build_addonlist_tab();
    void Build_pack_tab();
    void Set_focus_order();
    // Event wiring (addoninfo_events.cpp).
    void Wire_events();
    // Runs one event procedure. A failure it did not test for shows one message with the
    // system's text and ends the outermost procedure; procedures run nested by it pass their
    // failures on to it.
    void Run(const std::function<void()>& procedure);

    // Start-up and exit (addoninfo_startup.cpp).
    void Form_Load();
    void Command2_Click();
    void Restore_last_folder();
    void Hide_missing_packers();
    // Browser (addoninfo_browser.cpp).
    void Drive1_Change();
    void Dir1_Change();
    void File1_Click();
    void Show_placeholders();
    // Info editor (addoninfo_editor.cpp).
    void Command1_Click();
    // Addonlist commands (addoninfo_addonlist.cpp).
    void File1_DblClick();
    void Command4_Click();
    void AddonList_DblClick();
    void filelist_DblClick();
    void Command3_Click();
    void Refresh_list();
    void Refresh_addonslist();
    // Makes text the Addonlist and shows it; false, with a message and nothing changed, when a
    // box could not hold its entries.
    bool Take_list_text(std::wstring text);
    // List files (addoninfo_listfile.cpp).
    void Command6_Click();
    void Command7_Click();
    // Packer choice and packing (addoninfo_pack.cpp).
    void Option1_Click();
    void Option2_Click();
    void Command5_Click();
    PackRequest Pack_request();

    FolderReader reader_;
    RegAccess& registry_;
    FileAccess& files_;
    Desktop& desktop_;
    bool running_ = false;
};

}  // namespace brelvik
