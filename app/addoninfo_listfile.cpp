#include "addonlist/addonlist.h"
#include "addonlist/listfile.h"
#include "app/addoninfo.h"
#include "platform/desktop.h"
#include "platform/files.h"

namespace brelvik {
namespace {

const std::wstring kListFilter = L"Addonlist (*.txta)|*.txta";

}  // namespace

void AddonInfo::Command6_Click() {
    const std::wstring path = desktop_.Open_file_dialog(Dir1->Path(), kListFilter);
    if (!path.empty()) {
        Load_listfile(path);
    }
}

// The list file's path is taken only once its content has become the list: a file that cannot
// be read, or that the boxes cannot hold, changes nothing. One larger than any list the boxes
// hold is refused before it is read, which could fill the memory.
void AddonInfo::Load_listfile(const std::wstring& path) {
    if (files_.Length(path) > kMaxListFileBytes) {
        desktop_.Show_message(path + L" is too large to be an Addonlist.");
        return;
    }
    if (Take_list_text(Listfile_text(files_.Read_list_text(path)))) {
        addonListPath = path;
    }
}

// The file is replaced in one step, so a failed save keeps the old file whole and the path.
void AddonInfo::Command7_Click() {
    const std::wstring path = desktop_.Save_file_dialog(Dir1->Path(), kListFilter);
    if (path.empty()) {
        return;
    }
    files_.Replace_list_text(path, Compose_listfile(addonListText));
    addonListPath = path;
}

}  // namespace brelvik
