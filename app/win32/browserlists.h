#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/controls.h"
#include "app/folderchoice.h"
#include "app/folderreader.h"
#include "app/win32/control.h"

namespace brelvik {

// A folder list: the chain of folders from the root down to the folder shown, then that
// folder's subfolders. Opening an entry (double-click or Enter) asks onOpen to change to it;
// setting the path runs onChange, nested, when the folder shown changes.
class FolderListBox : public EntryList, public FolderChoice {
  public:
    explicit FolderListBox(FolderReader& reader) : FolderChoice(reader) {}

    // Also takes Enter from the keyboard navigation, which would otherwise keep it.
    void Created() override;
    void Notify(int code) override;

  private:
    static LRESULT CALLBACK Key_proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR self);
    void Show_folder(const std::wstring& folder,
                     const std::vector<std::wstring>& subfolders) override;
    void Open_selected();

    std::vector<std::wstring> entries_;  // each entry's full path
};

// The add-on files (*.pbo, letter case ignored) of one folder in alphabetical order, hidden
// and system files left out. Setting the folder refreshes the entries and runs no procedure;
// the user's selection of another file runs onClick, a double-click then onDblClick.
class FileListBox : public EntryList, public FileList {
  public:
    explicit FileListBox(FolderReader& reader) : reader_(reader) {}

    std::wstring Path() const override { return path_; }
    // Throws PlatformError when the folder cannot be read; the list then stays as it was.
    void Set_path(const std::wstring& folder) override;
    std::wstring File_name() const override;
    bool Select_file(const std::wstring& name) override;
    void Notify(int code) override;

    std::function<void()> onClick;
    std::function<void()> onDblClick;

  private:
    FolderReader& reader_;
    std::wstring path_;
    std::vector<std::wstring> names_;
    int clicked_ = -1;  // the entry whose selection last ran onClick
};

}  // namespace brelvik
