#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

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

// Where on the window files were dropped: one of the boxes that takes them, or anywhere else.
enum class DropTarget { kWindow, kFolderList, kAddonList, kOtherFiles };

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

    // Opens what the program was started with, once Form_Load has run and so after the last
    // folder: a list file as "Load Addonlist" loads it, a folder as the user opens it, an add-on
    // by opening its folder and selecting it. What is not there gets the open dialog's message.
    void Open_start_path(const std::wstring& path);
    // Does for each dropped path, in turn, what the user's own command does with it there: a
    // list file loads anywhere; on the folder list a folder or an add-on opens as at start; on
    // the Addonlist an add-on is added as a double-click in the file list adds it; on "Other
    // Files" any file is added as "Add Other Files" adds it. Anything else is left alone.
    void Drop(const std::vector<std::wstring>& paths, DropTarget target);
    // Whether such a drop would do anything, for the pointer's shape while the paths are dragged.
    static bool Drop_applies(const std::vector<std::wstring>& paths, DropTarget target);

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
    // The drive, then the folder, as the user chooses them.
    void Open_folder(const std::wstring& folder);
    void Open_addon(const std::wstring& path);
    // Browser (addoninfo_browser.cpp).
    void Drive1_Change();
    void Dir1_Change();
    void File1_Click();
    void Show_placeholders();
    // Info editor (addoninfo_editor.cpp).
    void Command1_Click();
    // Addonlist commands (addoninfo_addonlist.cpp).
    void File1_DblClick();
    void Add_addon(const std::wstring& folder, const std::wstring& name);
    void Command4_Click();
    void Add_other_file(const std::wstring& path);
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
    void Load_listfile(const std::wstring& path);
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
