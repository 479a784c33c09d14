#include "app/addoninfo.h"
#include "platform/desktop.h"
#include "platform/folders.h"
#include "platform/platform_error.h"
#include "platform/regaccess.h"

namespace brelvik {
namespace {

const std::wstring kVeldrunKey = L"SOFTWARE\\Quorvane\\Veldrun";
const std::wstring kLastFolder = L"VDRFC";

}  // namespace

void AddonInfo::Form_Load() {
    Restore_last_folder();
    // Started in the stored folder, or left in the first one, the lists change to nothing; the
    // Addonlist still needs the folder they show.
    if (currentDir.empty()) {
        currentDir = Dir1->Path();
    }
    Hide_missing_packers();
    addonListText.clear();
    addonListPath.clear();
    fileNumber = 1;  // the window is the only user of file numbers, so 1 is the lowest free
}

void AddonInfo::Restore_last_folder() {
    const std::wstring folder =
        Value_text(registry_.Read_setting(kHkeyLocalMachine, kVeldrunKey, kLastFolder));
    const std::wstring drive = Stored_folder_drive(folder);
    if (drive.empty()) {
        return;
    }
    try {
        Check_folder(folder);  // a folder that is gone or unreadable changes nothing
        Drive1->Set_drive(drive);
        Dir1->Set_path(folder);
    } catch (const PlatformError&) {
        // Without a message: the lists stay usable as they are.
    }
}

void AddonInfo::Hide_missing_packers() {
    // Brelvik's own packer, installed with the program, takes WinZip's place where it is missing.
    const bool hasZip =
        Value_length(registry_.Read_setting(kHkeyClassesRoot, L"WinZip\\DefaultIcon", L"")) >= 2 ||
        !desktop_.Own_packer().empty();
    const bool hasRar =
        Value_length(registry_.Read_setting(kHkeyClassesRoot, L"WinRar\\DefaultIcon", L"")) >= 2;
    if (!hasZip) {
        Option2->Set_visible(false);
        Label2->Set_grey(true);
    }
    if (!hasRar) {
        for (auto [option, label] :
             {std::pair{Option1, Label1}, std::pair{Option4, Label5}, std::pair{Option5, Label6}}) {
            option->Set_visible(false);
            label->Set_grey(true);
        }
    }
    if (!hasZip && !hasRar) {
        Option3->Set_visible(false);
        Label4->Set_grey(true);
    }
    Name_own_packer();
}

void AddonInfo::Command2_Click() {
    registry_.Write_setting(kHkeyLocalMachine, kVeldrunKey, kLastFolder, File1->Path(), kRegSz);
    form->Close();
}

}  // namespace brelvik
