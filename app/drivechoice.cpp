#include "app/drivechoice.h"

#include "platform/folders.h"
#include "platform/platform_error.h"

namespace brelvik {

std::wstring DriveChoice::Drive() const {
    return shown_ < 0 ? std::wstring() : drives_[static_cast<std::size_t>(shown_)];
}

void DriveChoice::Set_drive(const std::wstring& drive) {
    int index = Find(drive);
    if (index < 0) {
        Refill();
        index = Find(drive);
    }
    if (index < 0) {
        throw PlatformError(L"The drive is not available.", drive);
    }
    Choose(index);
}

void DriveChoice::Show_drive_of(const std::wstring& path) {
    if (drives_.empty()) {
        Refill();
    }
    Select_quietly(Find(Drive_of(path, drives_)));
}

void DriveChoice::Choose(int index) {
    if (index >= 0 && index != shown_) {
        Change_to(index);
    }
}

void DriveChoice::Refill() {
    const std::wstring shown = Drive();
    drives_ = List_drives();
    Show_drives(drives_);
    Select_quietly(Find(shown));
}

int DriveChoice::Find(const std::wstring& drive) const {
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

void DriveChoice::Change_to(int index) {
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

void DriveChoice::Select_quietly(int index) {
    Show_selected(index);
    shown_ = index;
}

}  // namespace brelvik
