#include "app/win32/buttons.h"

#include <algorithm>

namespace brelvik {
namespace {

// Clips the button to its mark, so that no part of its caption shows whatever the font and the
// resolution: the system draws the mark at most 13 pixels wide at 96 dpi, the caption beyond.
void Show_mark_only(HWND button) {
    const HDC screen = GetDC(button);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(button, screen);
    RECT area;
    GetClientRect(button, &area);
    const int mark = std::min<int>(area.right, MulDiv(13, dpi, 96) + 1);
    SetWindowRgn(button, CreateRectRgn(0, 0, mark, area.bottom), FALSE);
}

}  // namespace

// The system's buttons draw through their parent's clipping (CS_PARENTDC), past any region of
// their own; the marks' class is theirs without it.
const wchar_t* Mark_class() {
    static const wchar_t* const name = [] {
        WNDCLASSEXW mark{};
        mark.cbSize = sizeof mark;
        if (!GetClassInfoExW(nullptr, L"BUTTON", &mark)) {
            return L"BUTTON";
        }
        mark.style &= ~CS_PARENTDC;
        mark.hInstance = GetModuleHandleW(nullptr);
        mark.lpszClassName = L"BrelvikMark";
        return RegisterClassExW(&mark) ? L"BrelvikMark" : L"BUTTON";
    }();
    return name;
}

void PushButton::Notify(int code) {
    if (code == BN_CLICKED && onClick) {
        onClick();
    }
}

void OptionMark::Created() {
    Show_mark_only(Handle());
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

void OptionMark::Set_name(const std::wstring& name) {
    SetWindowTextW(Handle(), name.c_str());
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

void CheckMark::Created() {
    Show_mark_only(Handle());
}

void CaptionLabel::Set_grey(bool grey) {
    grey_ = grey;
    InvalidateRect(Handle(), nullptr, TRUE);
}

void CaptionLabel::Set_caption(const std::wstring& text) {
    SetWindowTextW(Handle(), text.c_str());
}

bool CaptionLabel::Text_colour(COLORREF& colour) const {
    colour = GetSysColor(grey_ ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
    return true;
}

}  // namespace brelvik
