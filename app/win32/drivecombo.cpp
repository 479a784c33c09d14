#include "app/win32/drivecombo.h"

#include "platform/folders.h"
#include "platform/platform_error.h"

namespace brelvik {

std::wstring DriveCombo::Drive() const {
    return shown_ < 0 ? std::wstring() : drives_[static_cast<std::size_t>(shown_)];
}

void DriveCombo::Set_drive(const std::wstring& drive) {
    int index = Find(drive);
    if (index < 0) {
        Refill();  // a drive may have come since the list was filled
        index = Find(drive);
    }
    if (index < 0) {
        throw PlatformError(L"The drive is not available.", drive);
    }
    if (index != shown_) {
        Change_to(index);
    }
}

void DriveCombo::Show_drive_of(const std::wstring& path) {
    if (drives_.empty()) {
        Refill();
    }
    Select_quietly(Find(Drive_of(path, drives_)));
}

// While the list is down, moving through it is no choice yet; closing it is.
void DriveCombo::Notify(int code) {
    if (code == CBN_DROPDOWN) {
        Refill();
    } else if (code == CBN_CLOSEUP || (code == CBN_SELCHANGE && !Send(CB_GETDROPPEDSTATE))) {
        Take_choice();
    }
}

void DriveCombo::Take_choice() {
    const int index = static_cast<int>(Send(CB_GETCURSEL));
    if (index >= 0 && index != shown_) {
        Change_to(index);
    }
}

void DriveCombo::Change_to(int index) {
    const int before = shown_;
    Select_quietly(index);
    bool changed = false;
    try {
        changed = !onChange || onChange();
    } catch (...) {
        Select_quietly(before);
        throw;
    }
    if (!changed) {
        Select_quietly(before);
    }
}

int DriveCombo::Find(const std::wstring& drive) const {
    if (drive.empty()) {
        return -1;
    }
    const std::wstring start = Folded(drive);
    for (std::size_t i = 0; i < drives_.size(); ++i) {
        if (Folded(drives_[i]).starts_with(start)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void DriveCombo::Select_quietly(int index) {
    Send(CB_SETCURSEL, static_cast<WPARAM>(index));
    shown_ = index;
}

void DriveCombo::Refill() {
    const std::wstring shown = Drive();
    drives_ = List_drives();
    Send(CB_RESETCONTENT);
    for (const std::wstring& drive : drives_) {
        Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(drive.c_str()));
    }
    Select_quietly(Find(shown));
}

}  // namespace brelvik
