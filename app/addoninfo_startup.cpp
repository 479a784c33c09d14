#include "app/addoninfo.h"
#include "app/folderreader.h"
#include "platform/desktop.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/pathsep.h"
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
        Open_folder(folder);
    } catch (const PlatformError&) {
        // Without a message: the lists stay usable as they are.
    }
}

// A folder on no drive of the list (a network path) opens in the folder list alone.
void AddonInfo::Open_folder(const std::wstring& folder) {
    const std::wstring drive = Drive_of(folder, List_drives());
    if (!drive.empty()) {
        Drive1->Set_drive(drive);
    }
    Dir1->Set_path(folder);
}

void AddonInfo::Open_addon(const std::wstring& path) {
    const std::size_t separator = path.find_last_of(kPathSeparators);
    const std::wstring folder = path.substr(0, separator);
    // At a root the folder keeps its separator: "/" and "C:\".
    Open_folder(folder.find_first_of(kPathSeparators) == std::wstring::npos
                    ? path.substr(0, separator + 1)
                    : folder);
    if (File1->Select_file(path.substr(separator + 1))) {
        File1_Click();
    }
}

void AddonInfo::Open_start_path(const std::wstring& given) {
    Run([this, &given] {
        const std::wstring path = Full_path(given);
        if (Folder_exists(path)) {
            Open_folder(path);
        } else if (!files_.Exists(path)) {
            desktop_.Show_message(path + L"\nFile not found.\nCheck the file name and try again.");
        } else if (Ends_with_ignoring_case(path, kListExtension)) {
            Load_listfile(path);
        } else if (Ends_with_ignoring_case(path, kAddonExtension)) {
            Open_addon(path);
        } else {
            desktop_.Show_message(
                L"Brelvik opens an Addonlist (.txta), an add-on (.pbo) or a "
                L"folder:\n" +
                path);
        }
    });
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
