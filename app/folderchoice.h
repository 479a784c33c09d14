#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/controls.h"
#include "app/folderreader.h"

namespace brelvik {

// What a folder list does whatever shows it: the folder shown, and the change it runs. Setting
// the path runs onChange, nested, when the folder shown changes; opening an entry (double-click
// or Enter) asks onOpen to change to it. A front end shows the folder's entries.
class FolderChoice : public FolderList {
  public:
    explicit FolderChoice(FolderReader& reader) : reader_(reader) {}

    // A full path, without a trailing separator except at a root.
    std::wstring Path() const override { return path_; }
    // Takes a full path or a drive text as the drive list gives it. Throws PlatformError when
    // the folder cannot be read; the list then stays as it was and onChange does not run.
    void Set_path(const std::wstring& path) override;
    // Shows a folder without running onChange: the state the list is created with.
    void Show_quietly(const std::wstring& path);

    std::function<void()> onChange;
    std::function<void(const std::wstring& path)> onOpen;

  private:
    // Shows the chain of folders from the root down to folder, then its subfolders.
    virtual void Show_folder(const std::wstring& folder,
                             const std::vector<std::wstring>& subfolders) = 0;
    void Fill(const std::wstring& folder) { Show_folder(folder, reader_.Subfolders(folder)); }

    FolderReader& reader_;
    std::wstring path_;
};

}  // namespace brelvik
