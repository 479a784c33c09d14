#include "app/qt/drivebox.h"

#include <QSignalBlocker>

namespace brelvik {

DriveBox::DriveBox(QWidget* parent) : QComboBox(parent) {
    Refill();
    connect(this, &QComboBox::activated, this, [this](int index) { Choose(index); });
}

void DriveBox::showPopup() {
    Refill();
    QComboBox::showPopup();
}

void DriveBox::Show_drives(const std::vector<std::wstring>& drives) {
    const QSignalBlocker quiet(this);
    clear();
    for (const std::wstring& drive : drives) {
        addItem(QString::fromStdWString(drive));
    }
}

void DriveBox::Show_selected(int index) {
    const QSignalBlocker quiet(this);
    setCurrentIndex(index);
}

}  // namespace brelvik
