#include "app/win32/browserlists.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/pathsep.h"

namespace brelvik {

void FolderListBox::Created() {
    EntryList::Created();
    SetWindowSubclass(Handle(), &FolderListBox::Key_proc, 0, reinterpret_cast<DWORD_PTR>(this));
}

void FolderListBox::Notify(int code) {
    if (code == LBN_DBLCLK && On_entry()) {
        Open_selected();
    }
}

LRESULT CALLBACK FolderListBox::Key_proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR, DWORD_PTR self) {
    const auto* key = reinterpret_cast<const MSG*>(lParam);
    if (message == WM_GETDLGCODE && key != nullptr && key->message == WM_KEYDOWN &&
        key->wParam == VK_RETURN) {
        return DefSubclassProc(window, message, wParam, lParam) | DLGC_WANTALLKEYS;
    }
    if (message == WM_KEYDOWN && wParam == VK_RETURN) {
        reinterpret_cast<FolderListBox*>(self)->Open_selected();
        return 0;
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, &FolderListBox::Key_proc, 0);
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

// Each folder of the chain is indented one step deeper than the one that holds it.
void FolderListBox::Show_folder(const std::wstring& path,
                                const std::vector<std::wstring>& subfolders) {
    std::vector<std::wstring> entries = Folder_chain(path);
    const std::size_t depth = entries.size();  // the subfolders' own
    std::vector<std::wstring> texts;
    for (std::size_t i = 0; i < depth; ++i) {
        const std::wstring& folder = entries[i];
        const std::wstring name = i == 0 ? folder : folder.substr(folder.rfind(kPathSeparator) + 1);
        texts.push_back(std::wstring(i * 2, L' ') + name);
    }
    for (const std::wstring& name : subfolders) {
        texts.push_back(std::wstring(depth * 2, L' ') + name);
        entries.push_back(Subfolder_path(path, name));
    }
    Replace_list_entries(Handle(), texts);
    entries_ = std::move(entries);
    Send(LB_SETCURSEL, depth - 1);
}

void FolderListBox::Open_selected() {
    const LRESULT selected = Send(LB_GETCURSEL);
    if (selected >= 0 && static_cast<std::size_t>(selected) < entries_.size() && onOpen) {
        onOpen(entries_[static_cast<std::size_t>(selected)]);
    }
}

void FileListBox::Set_path(const std::wstring& folder) {
    names_ = reader_.Addon_files(folder);
    Replace_list_entries(Handle(), names_);
    clicked_ = -1;
    path_ = folder;
}

std::wstring FileListBox::File_name() const {
    const LRESULT selected = Send(LB_GETCURSEL);
    return selected < 0 || static_cast<std::size_t>(selected) >= names_.size()
               ? std::wstring()
               : names_[static_cast<std::size_t>(selected)];
}

// Taken as clicked, so that the user's own click on it runs nothing more.
bool FileListBox::Select_file(const std::wstring& name) {
    const auto found = std::ranges::find(names_, name);
    if (found == names_.end()) {
        return false;
    }
    clicked_ = static_cast<int>(found - names_.begin());
    Send(LB_SETCURSEL, static_cast<WPARAM>(clicked_));
    return true;
}

void FileListBox::Notify(int code) {
    if (code == LBN_SELCHANGE) {
        const int selected = static_cast<int>(Send(LB_GETCURSEL));
        if (selected >= 0 && selected != clicked_) {
            clicked_ = selected;
            if (onClick) {
                onClick();
            }
        }
    } else if (code == LBN_DBLCLK && On_entry() && onDblClick) {
        onDblClick();
    }
}

}  // namespace brelvik
