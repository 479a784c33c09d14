#include "app/addoninfo.h"
#include "info/infofile.h"
#include "platform/desktop.h"
#include "platform/files.h"
#include "platform/pathsep.h"

namespace brelvik {

// Saving replaces the info file in one step, so a failed write keeps the old file whole; the
// old file is deleted only when there is nothing to save.
void AddonInfo::Command1_Click() {
    const std::wstring name = File1->File_name();
    if (name.empty()) {
        desktop_.Show_message(L"No addon selected");
        return;
    }
    const std::wstring path = Joined_path(Dir1->Path(), Info_name(name));
    if (path != fieldsFrom_) {
        // The fields still hold another add-on's texts: its own info file was refused.
        desktop_.Show_message(L"The info file was not loaded, so it is not replaced\n" + path);
        return;
    }
    infoText.clear();
    const ComposedInfo composed =
        Compose_infotext({Text1->Text(), Text2->Text(), Text3->Text(), Text4->Text(), Text5->Text(),
                          Text6->Text(), Text7->Text()});
    if (composed.reqVersionMissing) {
        desktop_.Show_message(L"No required version");
    }
    if (composed.text.empty()) {
        files_.Delete(path);
        desktop_.Show_message(L"No Text to save");
        return;
    }
    infoText = composed.text;
    files_.Replace_text(path, infoText);
}

}  // namespace brelvik
