#pragma once

#include <QListWidget>
#include <functional>
#include <string>

#include "app/controls.h"
#include "app/folderreader.h"

namespace brelvik {

// A folder list: the chain of folders from the root down to the folder shown, then that
// folder's subfolders. Opening an entry (double-click or Enter) asks onOpen to change to it;
// setting the path runs onChange, nested, when the folder shown changes.
class FolderBox : public QListWidget, public FolderList {
  public:
    FolderBox(FolderReader& reader, QWidget* parent);

    // A full path, without a trailing separator except at a root.
    std::wstring Path() const override { return path_; }
    // Takes a full path or a drive text as the drive list gives it. Throws PlatformError when
    // the folder cannot be read; the list then stays as it was and onChange does not run.
    void Set_path(const std::wstring& path) override;
    // Shows a folder without running onChange: the state the list is created with.
    void Show_quietly(const std::wstring& path);

    std::function<void()> onChange;
    std::function<void(const std::wstring& path)> onOpen;

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void Fill(const std::wstring& path);
    void Open(const QListWidgetItem* item);

    FolderReader& reader_;
    std::wstring path_;
};

}  // namespace brelvik
