#include "app/win32/control.h"
// After windows.h, which it needs.
#include <commctrl.h>

#include "platform/platform_error.h"

namespace brelvik {

void Win32Control::Create(const wchar_t* windowClass, const std::wstring& text, DWORD style,
                          DWORD exStyle, HWND parent, const RECT& area, int id) {
    hwnd_ = CreateWindowExW(exStyle, windowClass, text.c_str(), style | WS_CHILD, area.left,
                            area.top, area.right - area.left, area.bottom - area.top, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            GetModuleHandleW(nullptr), nullptr);
    if (hwnd_ == nullptr) {
        throw Last_error(windowClass);
    }
    Created();
}

void EntryList::Created() {
    SetWindowSubclass(Handle(), &EntryList::Click_proc, 0, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK EntryList::Click_proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR self) {
    if (message == WM_LBUTTONDBLCLK) {
        const LRESULT hit = SendMessageW(window, LB_ITEMFROMPOINT, 0, lParam);
        reinterpret_cast<EntryList*>(self)->onEntry_ = HIWORD(hit) == 0;
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, &EntryList::Click_proc, 0);
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

std::wstring Window_text(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

void Replace_list_entries(HWND list, const std::vector<std::wstring>& texts) {
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    SendMessageW(list, LB_INITSTORAGE, texts.size(), 0);
    for (const std::wstring& text : texts) {
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

}  // namespace brelvik
