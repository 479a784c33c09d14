#include "app/addoninfo.h"
#include "info/infofile.h"
#include "platform/desktop.h"
#include "platform/files.h"
#include "platform/pathsep.h"
#include "platform/platform_error.h"

namespace brelvik {
namespace {

// Info files hold a few kilobytes of text; anything far larger is not one. Reading, decoding and
// parsing one is a single step that cannot be cut up, about 30 ms a MiB: above this the window
// would be held for longer than a tenth of a second.
constexpr std::uint64_t kMaxInfoBytes = 2u << 20;

}  // namespace

// A drive that is not ready fails here; the drive list then goes back to the drive it showed.
void AddonInfo::Drive1_Change() {
    Dir1->Set_path(Drive1->Drive());
}

void AddonInfo::Dir1_Change() {
    File1->Set_path(Dir1->Path());
    currentDir = Dir1->Path();
}

void AddonInfo::File1_Click() {
    infoText.clear();
    const std::wstring path = Joined_path(Dir1->Path(), Info_name(File1->File_name()));
    const std::uint64_t length = files_.Length(path);
    if (length == 0) {
        if (files_.Exists(path)) {
            files_.Delete(path);
        } else {
            files_.Require_folder(Dir1->Path());  // a folder gone meanwhile is no empty add-on
        }
        Show_placeholders();
        fieldsFrom_ = path;
        return;
    }
    if (length > kMaxInfoBytes) {
        desktop_.Show_message(L"The info file is larger than 2 MiB and was not loaded\n" + path);
        return;
    }
    infoText = files_.Read_text(path);
    fieldsFrom_ = path;
    InfoFields fields = Parse_infotext(infoText);
    Text7->Set_text(std::move(fields.readme));
    Text1->Set_text(fields.units);
    Text2->Set_text(fields.info);
    Text3->Set_text(fields.comment);
    Text4->Set_text(fields.author);
    Text5->Set_text(fields.version);
    Text6->Set_text(fields.reqversion);
}

void AddonInfo::Show_placeholders() {
    for (TextBox* box : std::initializer_list<TextBox*>{Text1, Text2, Text3, Text4}) {
        box->Set_text(L"No entry");
    }
    Text5->Set_text(L"-");
    Text6->Set_text(L"-");
    Text7->Set_text(L"");
}

}  // namespace brelvik
