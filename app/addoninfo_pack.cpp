#include <tuple>

#include "app/addoninfo.h"
#include "packing/packerentry.h"
#include "platform/desktop.h"
#include "platform/regaccess.h"

namespace brelvik {

// WinRAR offers every archive type; no type stays chosen unless Rar or SFX already was. Brelvik's
// own packer in its place makes zip archives only.
void AddonInfo::Option1_Click() {
    if (Own_packer_runs(Packer::WinRar)) {
        Offer_zip_only();
        return;
    }
    Option3->Set_value(false);
    for (auto [option, label] : {std::pair{Option4, Label5}, std::pair{Option5, Label6}}) {
        option->Set_visible(true);
        label->Set_grey(false);
    }
}

// WinZip makes zip archives only.
void AddonInfo::Option2_Click() {
    Offer_zip_only();
}

void AddonInfo::Offer_zip_only() {
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
    if (Option1->Value()) {
        request.packer = Packer::WinRar;
    } else if (Option2->Value()) {
        request.packer = Packer::WinZip;
        request.ownPacker = desktop_.Own_packer();
    }
    if (request.packer != Packer::None) {
        request.packerEntry = Packer_entry(request.packer);
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

std::wstring AddonInfo::Packer_entry(Packer packer) {
    const wchar_t* key = packer == Packer::WinRar ? L"WinRAR\\DefaultIcon" : L"WinZip\\DefaultIcon";
    return Value_text(registry_.Read_setting(kHkeyClassesRoot, key, L""));
}

// Where the entry names Brelvik's own packer, or for WinZip where no usable entry is there and the
// program's own packer takes WinZip's command line.
bool AddonInfo::Own_packer_runs(Packer packer) {
    const std::wstring entry = Packer_entry(packer);
    if (Names_own_packer(entry)) {
        return true;
    }
    return packer == Packer::WinZip && !Packer_folder(entry) && !desktop_.Own_packer().empty();
}

// The label of a packer whose place Brelvik's own packer takes names the packer that runs.
void AddonInfo::Name_own_packer() {
    for (auto [packer, option, label] : {std::tuple{Packer::WinRar, Option1, Label1},
                                         std::tuple{Packer::WinZip, Option2, Label2}}) {
        if (Own_packer_runs(packer)) {
            label->Set_caption(kOwnPackerName);
            option->Set_name(kOwnPackerName);
        }
    }
}

}  // namespace brelvik
