#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "app/controls.h"
#include "app/events.h"
#include "packing/packcommand.h"

namespace brelvik {

class Desktop;
class FileAccess;
class RegAccess;

// The controls the procedures reach, each under its own name; a front end creates them from the
// layout and hands them over.
struct Controls {
    TextBox *Text1, *Text2, *Text3, *Text4, *Text5, *Text6, *Text7;
    Label *Label1, *Label2, *Label4, *Label5, *Label6;
    OptionButton *Option1, *Option2, *Option3, *Option4, *Option5;
    CheckBox* Check1;
    DriveList* Drive1;
    FolderList* Dir1;
    FileList* File1;
    ListBox *AddonList, *filelist;
    Form* form;
};

// The program's one window as its procedures and form-level state see it, free of any toolkit.
// A front end builds the controls, creates this and delivers every event through Handle:
// Event::kLoad once before the window is first shown, then the user's.
class AddonInfo : private Controls {
  public:
    AddonInfo(const Controls& controls, RegAccess& registry, FileAccess& files, Desktop& desktop);

    // Runs the event's procedure. False when it ended on a failure, which it has then shown.
    bool Handle(Event event);
    // Runs an action of the user that is no procedure (opening a folder in the folder list) in the
    // same way. A failure it did not test for shows one message with the system's text and ends the
    // outermost procedure; procedures run nested by it pass their failures on to it.
    bool Run(const std::function<void()>& procedure);

    // Form-level state shared by the procedures.
    std::wstring infoText;
    std::wstring currentDir;
    std::wstring addonListText;
    std::wstring addonListPath;
    std::int16_t fileNumber = 0;

  private:
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
    void Offer_zip_only();
    void Command5_Click();
    PackRequest Pack_request();
    std::wstring Packer_entry(Packer packer);
    bool Own_packer_runs(Packer packer);
    void Name_own_packer();

    // The info file the seven fields were last filled from, or made for.
    std::wstring fieldsFrom_;
    RegAccess& registry_;
    FileAccess& files_;
    Desktop& desktop_;
    bool running_ = false;
};

}  // namespace brelvik
