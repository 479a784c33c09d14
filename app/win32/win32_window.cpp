#include "app/win32/win32_window.h"

#include <commctrl.h>

#include <algorithm>

#include "app/win32/browserlists.h"
#include "app/win32/drivecombo.h"
#include "app/win32/editbox.h"
#include "app/win32/resource_ids.h"
#include "app/win32/sortedlist.h"
#include "app/win32/system_look.h"
#include "platform/folders.h"
#include "platform/platform_error.h"

namespace brelvik {
namespace {

const wchar_t kWindowClass[] = L"BrelvikAddonInfo";
const wchar_t kPageClass[] = L"BrelvikTabPage";
constexpr int kFirstId = 100;          // clear of IDOK and IDCANCEL, which Enter and Escape send
constexpr int kDropDownHeight = 2880;  // twips: room for a dozen drives

void Register_class(const wchar_t* name, WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    if (GetClassInfoExW(instance, name, &windowClass)) {
        return;
    }
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = name;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(BRELVIK_ICON_ID));
    if (!RegisterClassExW(&windowClass)) {
        throw Last_error(name);
    }
}

// Each frame's option buttons form one group, begun by the first of them in the focus order.
bool Begins_group(const ControlLayout& option) {
    return std::ranges::none_of(Control_layouts(), [&option](const ControlLayout& other) {
        return other.kind == ControlKind::kOptionButton &&
               std::string_view(other.container) == option.container && other.order < option.order;
    });
}

}  // namespace

Win32Window::Win32Window(RegAccess& registry, FileAccess& files, Desktop& desktop)
    : font_(Message_font()), dpi_(System_dpi()) {
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX),
                                       ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);
    Register_class(kWindowClass, &Win32Window::Window_proc);
    Register_class(kPageClass, &Win32Window::Page_proc);
    Create_window();
    for (const ControlLayout& layout : Control_layouts()) {
        if (layout.kind == ControlKind::kTabControl) {
            Create_tab_control(layout);
        } else {
            Create(layout);
        }
    }
    Show_working_folder();
    Set_focus_order();
    procedures_ = std::make_unique<AddonInfo>(Procedure_controls(), registry, files, desktop);
    Run(Event::kLoad);
}

Win32Window::~Win32Window() {
    if (IsWindow(hwnd_)) {
        DestroyWindow(hwnd_);
    }
    DeleteObject(font_);
}

void Win32Window::Create_window() {
    const FormLayout& form = Form_layout();
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    RECT frame{0, 0, Px(form.width), Px(form.height)};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    hwnd_ = CreateWindowExW(0, kWindowClass, form.caption.c_str(), style, CW_USEDEFAULT,
                            CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                            nullptr, nullptr, GetModuleHandleW(nullptr), this);
    if (hwnd_ == nullptr) {
        throw Last_error(form.caption);
    }
    DragAcceptFiles(hwnd_, TRUE);
}

// The pages lie over the tab control's display area as its siblings, so that the tab control
// itself can take the focus; each control on a page keeps its place in the tab control.
void Win32Window::Create_tab_control(const ControlLayout& layout) {
    const RECT area = Area({0, 0}, layout);
    auto tabs = std::make_unique<Win32Control>();
    tabs->Create(WC_TABCONTROLW, L"", WS_VISIBLE | WS_TABSTOP | WS_GROUP | WS_CLIPSIBLINGS, 0,
                 hwnd_, area, kFirstId);
    tabs_ = tabs->Handle();
    SendMessageW(tabs_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    const std::vector<std::wstring>& captions = Form_layout().tabs;
    for (std::size_t i = 0; i < captions.size(); ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(captions[i].c_str());
        SendMessageW(tabs_, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    RECT display{0, 0, area.right - area.left, area.bottom - area.top};
    SendMessageW(tabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    pageOrigin_ = {display.left, display.top};
    OffsetRect(&display, area.left, area.top);
    for (HWND& page : pages_) {
        Win32Control created;
        created.Create(kPageClass, L"", 0, WS_EX_CONTROLPARENT, hwnd_, display, 0);
        page = created.Handle();
    }
    Bring_to_front(0);
    places_[layout.name] = {hwnd_, {0, 0}};
    controls_[layout.name] = std::move(tabs);
}

RECT Win32Window::Area(POINT origin, const ControlLayout& layout) const {
    return {origin.x + Px(layout.left), origin.y + Px(layout.top),
            origin.x + Px(layout.left + layout.width), origin.y + Px(layout.top + layout.height)};
}

Win32Window::Place Win32Window::Place_in(const ControlLayout& layout) const {
    const std::string container = layout.container;
    if (container == kWindowName) {
        return {hwnd_, {0, 0}};
    }
    if (container == "SSTab1") {
        return {pages_[static_cast<std::size_t>(layout.tab)], {-pageOrigin_.x, -pageOrigin_.y}};
    }
    const Place& frame = places_.at(container);
    const ControlLayout& outer = Control_layout(container);
    return {frame.parent, {frame.origin.x + Px(outer.left), frame.origin.y + Px(outer.top)}};
}

void Win32Window::Create(const ControlLayout& layout) {
    const Place place = Place_in(layout);
    RECT area = Area(place.origin, layout);
    if (layout.kind == ControlKind::kDriveList) {
        area.bottom += Px(kDropDownHeight);
    }
    const wchar_t* windowClass = nullptr;
    DWORD style = 0;
    std::unique_ptr<Win32Control> control = Make(layout, windowClass, style);
    const bool bordered =
        std::wstring_view(windowClass) == L"EDIT" || std::wstring_view(windowClass) == L"LISTBOX";
    const int id = kFirstId + static_cast<int>(controls_.size()) + 1;
    const bool ownCaption = layout.settings & kOwnCaptionHidden;
    control->Create(windowClass, ownCaption ? layout.accessibleName : layout.text,
                    style | WS_VISIBLE, bordered ? WS_EX_CLIENTEDGE : 0, place.parent, area, id);
    const HWND handle = control->Handle();
    SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    if (layout.kind == ControlKind::kDriveList) {
        Fit_height(layout, handle);
    } else if (layout.kind == ControlKind::kTextBox) {
        SendMessageW(handle, EM_SETLIMITTEXT, 0, 0);  // as much as the box can hold
        static_cast<EditBox&>(*control).Set_text(layout.text);
    }
    if (!layout.tooltip.empty()) {
        Add_tooltip(handle, layout.tooltip);
    }
    places_[layout.name] = place;
    byHandle_[handle] = control.get();
    controls_[layout.name] = std::move(control);
}

// The system window class and styles of each kind, and the object behind it with its events.
std::unique_ptr<Win32Control> Win32Window::Make(const ControlLayout& layout,
                                                const wchar_t*& windowClass, DWORD& style) {
    style = WS_GROUP | WS_TABSTOP;
    switch (layout.kind) {
        case ControlKind::kFrame:
            windowClass = L"BUTTON";
            style = WS_GROUP | BS_GROUPBOX;
            return std::make_unique<Win32Control>();
        case ControlKind::kLabel:
            windowClass = L"STATIC";
            style = WS_GROUP | SS_LEFT | SS_NOPREFIX;
            return std::make_unique<CaptionLabel>();
        case ControlKind::kButton: {
            windowClass = L"BUTTON";
            style |= BS_PUSHBUTTON | BS_MULTILINE;
            auto button = std::make_unique<PushButton>();
            button->onClick = [this, event = layout.click] { Run(event); };
            return button;
        }
        case ControlKind::kOptionButton: {
            windowClass = Mark_class();
            style = (Begins_group(layout) ? WS_GROUP : 0) | WS_TABSTOP | BS_AUTORADIOBUTTON;
            auto option = std::make_unique<OptionMark>(groups_[layout.container]);
            if (layout.click != Event::kNone) {
                option->onClick = [this, event = layout.click] { Run(event); };
            }
            return option;
        }
        case ControlKind::kCheckBox:
            windowClass = Mark_class();
            style |= BS_AUTOCHECKBOX;
            return std::make_unique<CheckMark>();
        case ControlKind::kTextBox:
            windowClass = L"EDIT";
            if (layout.settings & kMultiLine) {
                style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
                style |= (layout.settings & kScrollBar ? WS_VSCROLL : 0) |
                         (layout.settings & kReadOnly ? ES_READONLY : 0);
            } else {
                style |= ES_AUTOHSCROLL;
            }
            return std::make_unique<EditBox>(layout.settings & kMultiLine);
        case ControlKind::kDriveList:
            windowClass = L"COMBOBOX";
            style |= CBS_DROPDOWNLIST | WS_VSCROLL;
            return Make_list(layout);
        default:
            windowClass = L"LISTBOX";
            style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
            return Make_list(layout);
    }
}

// The drive, folder, file and list boxes, with their events.
std::unique_ptr<Win32Control> Win32Window::Make_list(const ControlLayout& layout) {
    switch (layout.kind) {
        case ControlKind::kDriveList: {
            auto drives = std::make_unique<DriveCombo>();
            drives->onChange = [this, event = layout.change] { return Run(event); };
            return drives;
        }
        case ControlKind::kFolderList: {
            auto folders = std::make_unique<FolderListBox>(reader_);
            FolderListBox* list = folders.get();
            folders->onChange = [this, event = layout.change] { Run(event); };
            // Opening a folder is the user's choice of it, under the procedures' failure rule.
            folders->onOpen = [this, list](const std::wstring& path) {
                procedures_->Run([list, &path] { list->Set_path(path); });
            };
            return folders;
        }
        case ControlKind::kFileList: {
            auto files = std::make_unique<FileListBox>(reader_);
            files->onClick = [this, event = layout.click] { Run(event); };
            files->onDblClick = [this, event = layout.dblClick] { Run(event); };
            return files;
        }
        default: {
            auto list = std::make_unique<SortedList>();
            list->onDblClick = [this, event = layout.dblClick] { Run(event); };
            return list;
        }
    }
}

// A drop-down list's window takes the height of its selection field and borders, which follows
// from the field's height; the list that drops down keeps the height it was created with. Some
// systems read back a field height that differs from the one set, so the set one is corrected
// by what the window then measures.
void Win32Window::Fit_height(const ControlLayout& layout, HWND combo) {
    LRESULT field = SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    for (int attempt = 0; attempt < 3; ++attempt) {
        RECT shown;
        GetWindowRect(combo, &shown);
        const int missing = Px(layout.height) - (shown.bottom - shown.top);
        if (missing == 0) {
            return;
        }
        field += missing;
        SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
    }
}

void Win32Window::Add_tooltip(HWND control, const std::wstring& text) {
    if (tooltip_ == nullptr) {
        tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    }
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;  // what every version of the common controls takes
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace brelvik
