#include "app/qt/drivebox.h"

#include <QSignalBlocker>

#include "platform/folders.h"
#include "platform/platform_error.h"

namespace brelvik {

DriveBox::DriveBox(QWidget* parent) : QComboBox(parent) {
    Refill();
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (index != shown_) {
            Change_to(index);
        }
    });
}

void DriveBox::Set_drive(const std::wstring& drive) {
    int index = Find(drive);
    if (index < 0) {
        Refill();  // a volume may have come since the list was filled
        index = Find(drive);
    }
    if (index < 0) {
        throw PlatformError(L"The drive is not available.", drive);
    }
    if (index != shown_) {
        Change_to(index);
    }
}

void DriveBox::Change_to(int index) {
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

void DriveBox::Show_drive_of(const std::wstring& path) {
    std::vector<std::wstring> drives;
    for (int i = 0; i < count(); ++i) {
        drives.push_back(itemText(i).toStdWString());
    }
    Select_quietly(Find(Drive_of(path, drives)));
}

void DriveBox::showPopup() {
    Refill();
    QComboBox::showPopup();
}

int DriveBox::Find(const std::wstring& drive) const {
    if (drive.empty()) {
        return -1;
    }
    const QString start = QString::fromStdWString(drive);
    for (int i = 0; i < count(); ++i) {
        if (itemText(i).startsWith(start, Qt::CaseInsensitive)) {
            return i;
        }
    }
    return -1;
}

void DriveBox::Select_quietly(int index) {
    const QSignalBlocker quiet(this);
    setCurrentIndex(index);
    shown_ = index;
}

void DriveBox::Refill() {
    const std::wstring shown = Drive();
    const QSignalBlocker quiet(this);
    clear();
    for (const std::wstring& drive : List_drives()) {
        addItem(QString::fromStdWString(drive));
    }
    shown_ = findText(QString::fromStdWString(shown));
    setCurrentIndex(shown_);
}

}  // namespace brelvik
