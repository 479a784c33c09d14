#include "app/addoninfo.h"
#include "platform/desktop.h"
#include "platform/regaccess.h"

namespace brelvik {

// WinRAR offers every archive type; no type stays chosen unless Rar or SFX already was.
void AddonInfo::Option1_Click() {
    Option3->Set_value(false);
    for (auto [option, label] : {std::pair{Option4, Label5}, std::pair{Option5, Label6}}) {
        option->Set_visible(true);
        label->Set_grey(false);
    }
}

// WinZip makes zip archives only.
void AddonInfo::Option2_Click() {
    Option3->Set_value(true);
    for (auto [option, label] : {std::pair{Option4, Label5}, std::pair{Option5, Label6}}) {
        option->Set_visible(false);
        label->Set_grey(true);
    }
}

void AddonInfo::Command5_Click() {
    const PackCommand command = Compose_packcommand(Pack_request());
    if (!command.message.empty()) {
        desktop_.Show_message(command.message);
        return;
    }
    desktop_.Start_process(command.commandLine);
}

// The controls and the chosen packer's entry as they are at this press; nothing is kept.
PackRequest AddonInfo::Pack_request() {
    PackRequest request;
    const wchar_t* entryKey = nullptr;
    if (Option1->Value()) {
        request.packer = Packer::WinRar;
        entryKey = L"WinRAR\\DefaultIcon";
    } else if (Option2->Value()) {
        request.packer = Packer::WinZip;
        entryKey = L"WinZip\\DefaultIcon";
    }
    if (entryKey != nullptr) {
        request.packerEntry = Value_text(registry_.Read_setting(kHkeyClassesRoot, entryKey, L""));
    }
    request.type = Option3->Value()   ? ArchiveType::Zip
                   : Option4->Value() ? ArchiveType::Rar
                                      : ArchiveType::Sfx;
    request.useList = Check1->Value() != 0;
    request.folder = File1->Path();
    request.selectedFile = File1->File_name();
    request.listPath = addonListPath;
    request.settingsPath = registry_.Store_path();
    return request;
}

}  // namespace brelvik
