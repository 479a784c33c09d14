#include "app/win32/drivecombo.h"

namespace brelvik {

// While the list is down, moving through it is no choice yet; closing it is.
void DriveCombo::Notify(int code) {
    if (code == CBN_DROPDOWN) {
        Refill();
    } else if (code == CBN_CLOSEUP || (code == CBN_SELCHANGE && !Send(CB_GETDROPPEDSTATE))) {
        Choose(static_cast<int>(Send(CB_GETCURSEL)));
    }
}

void DriveCombo::Show_drives(const std::vector<std::wstring>& drives) {
    Send(CB_RESETCONTENT);
    for (const std::wstring& drive : drives) {
        Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(drive.c_str()));
    }
}

void DriveCombo::Show_selected(int index) {
    Send(CB_SETCURSEL, static_cast<WPARAM>(index));
}

}  // namespace brelvik
