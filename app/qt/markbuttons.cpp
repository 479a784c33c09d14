#include "app/qt/markbuttons.h"

namespace brelvik {

OptionMark::OptionMark(QWidget* parent) : QRadioButton(parent) {
    connect(this, &QRadioButton::toggled, this, [this](bool selected) {
        if (selected && !quiet_ && onClick) {
            onClick();
        }
    });
}

void OptionMark::Set_value(bool selected) {
    quiet_ = true;
    // An exclusive button refuses to be cleared while it is the selected one.
    setAutoExclusive(selected);
    setChecked(selected);
    setAutoExclusive(true);
    quiet_ = false;
}

}  // namespace brelvik
