#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <array>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>

#include "app/addoninfo.h"
#include "app/folderreader.h"
#include "app/layout.h"
#include "app/win32/buttons.h"
#include "app/win32/control.h"

namespace brelvik {

// The window built with the system's own controls from the layout tables. Creating it builds
// every control, wires the events to the procedures and runs Form_Load, all before the window
// is shown; Show then shows it with the focus on the first control of the focus order. The
// message loop passes each message through IsDialogMessageW(Handle(), ...) first, which gives
// the keyboard navigation.
class Win32Window : public Form {
  public:
    Win32Window(RegAccess& registry, FileAccess& files, Desktop& desktop);
    ~Win32Window() override;
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;

    HWND Handle() const { return hwnd_; }
    void Show(int showCommand);
    void Close() override;
    AddonInfo& Procedures() { return *procedures_; }
    // What the program was started with, opened once the window shows.
    void Open_start_path(const std::wstring& path);
    // The controls as the procedures reach them.
    Controls Procedure_controls() const;
    // A control's system window by its name in the layout; nullptr when there is none.
    HWND Find(const std::string& name) const;
    // Pixels for twips at the system's resolution: fifteen twips to the pixel at 96 dpi.
    int Px(int twips) const { return MulDiv(twips, dpi_, 1440); }

  private:
    // Where a control lies: its parent window and its container's origin there, in pixels.
    struct Place {
        HWND parent;
        POINT origin;
    };

    static LRESULT CALLBACK Window_proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK Page_proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT On_message(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Colour_label(HDC dc, HWND label);
    void Create_window();
    void Create_tab_control(const ControlLayout& layout);
    void Create(const ControlLayout& layout);
    std::unique_ptr<Win32Control> Make(const ControlLayout& layout, const wchar_t*& windowClass,
                                       DWORD& style);
    std::unique_ptr<Win32Control> Make_list(const ControlLayout& layout);
    void Fit_height(const ControlLayout& layout, HWND combo);
    void Add_tooltip(HWND control, const std::wstring& text);
    Place Place_in(const ControlLayout& layout) const;
    // The control's area in its parent window, its container lying at origin.
    RECT Area(POINT origin, const ControlLayout& layout) const;
    template <typename Control>
    Control* Get(const char* name) const;
    void Show_working_folder();
    void Set_focus_order();
    void Bring_to_front(int tab);
    bool Run(Event event);
    void Show_added();
    // Files dropped from Explorer, on the control under the pointer.
    void On_drop(HDROP drop);
    DropTarget Drop_target_at(POINT point) const;

    HWND hwnd_ = nullptr;
    HWND tabs_ = nullptr;
    HWND tooltip_ = nullptr;
    HWND focus_ = nullptr;  // the control that had the focus when the window was last left
    std::array<HWND, 4> pages_{};
    POINT pageOrigin_{};  // the pages' top left in the tab control
    HFONT font_ = nullptr;
    int dpi_ = 96;
    std::map<std::string, std::unique_ptr<Win32Control>> controls_;
    std::map<std::string, Place> places_;
    std::unordered_map<HWND, Win32Control*> byHandle_;
    std::map<std::string, OptionMark::Group> groups_;
    FolderReader reader_;
    std::unique_ptr<AddonInfo> procedures_;
};

}  // namespace brelvik
