#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace brelvik {

// A control of the window as the window procedures reach it: the notifications its system
// window sends to its parent come back to it here.
class Win32Control {
  public:
    Win32Control() = default;
    virtual ~Win32Control() = default;
    Win32Control(const Win32Control&) = delete;
    Win32Control& operator=(const Win32Control&) = delete;

    HWND Handle() const { return hwnd_; }
    // Creates the system window: a child of parent with the given class, text, styles and area.
    void Create(const wchar_t* windowClass, const std::wstring& text, DWORD style, DWORD exStyle,
                HWND parent, const RECT& area, int id);

    // Takes over what the system window should do beyond its class, once it exists.
    virtual void Created() {}
    // A WM_COMMAND notification code the control sent.
    virtual void Notify(int code) { (void)code; }
    // The text colour the control is drawn in; nothing to leave the system's.
    virtual bool Text_colour(COLORREF& colour) const {
        (void)colour;
        return false;
    }

  protected:
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageW(hwnd_, message, wParam, lParam);
    }

  private:
    HWND hwnd_ = nullptr;
};

// A list box that tells a double-click on an entry from one on the empty space below the
// entries, for which the system reports a double-click all the same.
class EntryList : public Win32Control {
  public:
    // Starts watching the control's double-clicks.
    void Created() override;

  protected:
    // Whether the double-click being reported hit an entry.
    bool On_entry() const { return onEntry_; }

  private:
    static LRESULT CALLBACK Click_proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR self);
    bool onEntry_ = false;
};

// The control's whole window text.
std::wstring Window_text(HWND window);
// Makes texts the entries of a list box, in their order, drawn once.
void Replace_list_entries(HWND list, const std::vector<std::wstring>& texts);

}  // namespace brelvik
