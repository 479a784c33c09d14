#include "app/win32/win32_window.h"
// After windows.h, which it needs.
#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

#include "app/win32/browserlists.h"
#include "app/win32/drivecombo.h"
#include "app/win32/editbox.h"
#include "app/win32/sortedlist.h"
#include "platform/folders.h"
#include "platform/platform_error.h"

namespace brelvik {

void Win32Window::Show(int showCommand) {
    ShowWindow(hwnd_, showCommand);
    UpdateWindow(hwnd_);
    const auto first = std::ranges::min_element(Control_layouts(), {}, &ControlLayout::order);
    SetFocus(Find(first->name));
}

void Win32Window::Close() {
    DestroyWindow(hwnd_);
}

HWND Win32Window::Find(const std::string& name) const {
    if (name == kWindowName) {
        return hwnd_;
    }
    const auto found = controls_.find(name);
    return found == controls_.end() ? nullptr : found->second->Handle();
}

template <typename Control>
Control* Win32Window::Get(const char* name) const {
    auto* control = dynamic_cast<Control*>(controls_.at(name).get());
    if (control == nullptr) {
        throw std::logic_error(std::string("no such control ") + name);
    }
    return control;
}

Controls Win32Window::Procedure_controls() const {
    return {.Text1 = Get<EditBox>("Text1"),
            .Text2 = Get<EditBox>("Text2"),
            .Text3 = Get<EditBox>("Text3"),
            .Text4 = Get<EditBox>("Text4"),
            .Text5 = Get<EditBox>("Text5"),
            .Text6 = Get<EditBox>("Text6"),
            .Text7 = Get<EditBox>("Text7"),
            .Label1 = Get<CaptionLabel>("Label1"),
            .Label2 = Get<CaptionLabel>("Label2"),
            .Label4 = Get<CaptionLabel>("Label4"),
            .Label5 = Get<CaptionLabel>("Label5"),
            .Label6 = Get<CaptionLabel>("Label6"),
            .Option1 = Get<OptionMark>("Option1"),
            .Option2 = Get<OptionMark>("Option2"),
            .Option3 = Get<OptionMark>("Option3"),
            .Option4 = Get<OptionMark>("Option4"),
            .Option5 = Get<OptionMark>("Option5"),
            .Check1 = Get<CheckMark>("Check1"),
            .Drive1 = Get<DriveCombo>("Drive1"),
            .Dir1 = Get<FolderListBox>("Dir1"),
            .File1 = Get<FileListBox>("File1"),
            .AddonList = Get<SortedList>("AddonList"),
            .filelist = Get<SortedList>("filelist"),
            .form = const_cast<Win32Window*>(this)};
}

// Until Form_Load moves them, the browser lists show the process's working folder.
void Win32Window::Show_working_folder() {
    const std::wstring folder = Current_folder();
    Get<DriveCombo>("Drive1")->Show_drive_of(folder);
    try {
        Get<FolderListBox>("Dir1")->Show_quietly(folder);
        Get<FileListBox>("File1")->Set_path(folder);
    } catch (const PlatformError&) {
        // An unreadable working folder leaves the lists empty.
    }
}

// The keyboard navigation follows the z-order of each parent's children. The window's own
// order is the focus order turned around so that the pages come first: they must lie above the
// tab control to be seen, and Tab still goes round the same circle.
void Win32Window::Set_focus_order() {
    std::vector<const ControlLayout*> order;
    for (const ControlLayout& layout : Control_layouts()) {
        order.push_back(&layout);
    }
    std::ranges::sort(order, {}, &ControlLayout::order);
    HWND after = HWND_TOP;
    const auto place = [&after](HWND window) {
        SetWindowPos(window, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        after = window;
    };
    for (HWND parent : {hwnd_, pages_[0], pages_[1], pages_[2], pages_[3]}) {
        after = HWND_TOP;
        if (parent == hwnd_) {
            std::ranges::for_each(pages_, place);
        }
        for (const ControlLayout* layout : order) {
            if (places_.at(layout->name).parent == parent) {
                place(Find(layout->name));
            }
        }
    }
}

void Win32Window::Bring_to_front(int tab) {
    ShowWindow(pages_[static_cast<std::size_t>(tab)], SW_SHOWNA);
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        if (static_cast<int>(i) != tab) {
            ShowWindow(pages_[i], SW_HIDE);
        }
    }
}

// Entries added to the list boxes show once the event's procedure has ended.
bool Win32Window::Run(Event event) {
    const bool done = procedures_->Handle(event);
    Show_added();
    return done;
}

void Win32Window::Open_start_path(const std::wstring& path) {
    procedures_->Open_start_path(path);
    Show_added();
}

void Win32Window::Show_added() {
    for (const char* list : {"AddonList", "filelist"}) {
        Get<SortedList>(list)->Show_added();
    }
}

void Win32Window::On_drop(HDROP drop) {
    std::vector<std::wstring> paths;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(DragQueryFileW(drop, i, nullptr, 0), L'\0');
        DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size() + 1));
        paths.push_back(std::move(path));
    }
    POINT point{};
    DragQueryPoint(drop, &point);
    DragFinish(drop);
    procedures_->Drop(paths, Drop_target_at(point));
    Show_added();
}

// By the controls' own areas: a frame around a list lies above it in the order of windows.
DropTarget Win32Window::Drop_target_at(POINT point) const {
    ClientToScreen(hwnd_, &point);
    for (auto [name, target] : {std::pair{"Dir1", DropTarget::kFolderList},
                                {"AddonList", DropTarget::kAddonList},
                                {"filelist", DropTarget::kOtherFiles}}) {
        const HWND control = Find(name);
        RECT area{};
        if (IsWindowVisible(control) && GetWindowRect(control, &area) && PtInRect(&area, point)) {
            return target;
        }
    }
    return DropTarget::kWindow;
}

LRESULT CALLBACK Win32Window::Window_proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Win32Window*>(
            reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    }
    return self->On_message(message, wParam, lParam);
}

// A page passes what its controls tell their parent on to the window.
LRESULT CALLBACK Win32Window::Page_proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_CTLCOLORSTATIC:
        case WM_NEXTDLGCTL:
            return SendMessageW(GetParent(window), message, wParam, lParam);
        case WM_CLOSE:
            return 0;  // Escape in a multi-line box asks its parent to close: a page never does
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT Win32Window::On_message(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: {
            const auto found = byHandle_.find(reinterpret_cast<HWND>(lParam));
            if (lParam != 0 && found != byHandle_.end()) {
                found->second->Notify(HIWORD(wParam));
            }
            return 0;
        }
        case WM_CTLCOLORSTATIC:
            return Colour_label(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->hwndFrom == tabs_ && header->code == TCN_SELCHANGE) {
                Bring_to_front(static_cast<int>(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0)));
            }
            return 0;
        }
        case WM_NEXTDLGCTL:  // a multi-line box passes Tab on this way
            SetFocus(LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                    : GetNextDlgTabItem(hwnd_, GetFocus(), wParam != 0));
            return 0;
        case WM_ACTIVATE:  // a message box or a switch to another program keeps the focus
            if (LOWORD(wParam) == WA_INACTIVE) {
                focus_ = GetFocus();
            } else if (focus_ != nullptr && IsChild(hwnd_, focus_)) {
                SetFocus(focus_);
                return 0;
            }
            return DefWindowProcW(hwnd_, message, wParam, lParam);
        case WM_DROPFILES:
            On_drop(reinterpret_cast<HDROP>(wParam));
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

LRESULT Win32Window::Colour_label(HDC dc, HWND label) {
    const auto found = byHandle_.find(label);
    COLORREF ink = 0;
    if (found == byHandle_.end() || !found->second->Text_colour(ink)) {
        return DefWindowProcW(hwnd_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                              reinterpret_cast<LPARAM>(label));
    }
    SetTextColor(dc, ink);
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

}  // namespace brelvik
