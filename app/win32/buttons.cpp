#include "app/win32/buttons.h"

namespace brelvik {

void PushButton::Notify(int code) {
    if (code == BN_CLICKED && onClick) {
        onClick();
    }
}

void OptionMark::Set_value(bool selected) {
    if (selected) {
        Select_alone();
        return;
    }
    Send(BM_SETCHECK, BST_UNCHECKED);
    selected_ = false;
}

void OptionMark::Set_visible(bool visible) {
    ShowWindow(Handle(), visible ? SW_SHOWNA : SW_HIDE);
}

void OptionMark::Notify(int code) {
    if (code != BN_CLICKED || !Value()) {
        return;
    }
    const bool already = selected_;
    Select_alone();  // the system leaves hidden buttons of the group selected
    if (!already && onClick) {
        onClick();
    }
}

void OptionMark::Select_alone() {
    for (OptionMark* other : group_) {
        if (other != this) {
            other->Send(BM_SETCHECK, BST_UNCHECKED);
            other->selected_ = false;
        }
    }
    Send(BM_SETCHECK, BST_CHECKED);
    selected_ = true;
}

void CaptionLabel::Set_grey(bool grey) {
    grey_ = grey;
    InvalidateRect(Handle(), nullptr, TRUE);
}

bool CaptionLabel::Text_colour(COLORREF& colour) const {
    colour = GetSysColor(grey_ ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
    return true;
}

}  // namespace brelvik
