#pragma once

#include <QListView>
#include <QStringListModel>
#include <functional>
#include <string>

#include "app/folderreader.h"

namespace brelvik {

// The add-on files (*.pbo, letter case ignored) of one folder in alphabetical order, hidden
// and system files left out. Setting the folder refreshes the entries at once and runs no
// procedure; the user's selection of a file runs onClick, a double-click then onDblClick.
class FileList : public QListView {
  public:
    FileList(FolderReader& reader, QWidget* parent);

    const std::wstring& Path() const { return path_; }
    // Throws PlatformError when the folder cannot be read; the list then stays as it was.
    void Set_path(const std::wstring& folder);
    // The selected file's name without folder; empty when none is selected.
    std::wstring File_name() const;

    std::function<void()> onClick;
    std::function<void()> onDblClick;

  private:
    FolderReader& reader_;
    QStringListModel* names_;
    std::wstring path_;
    bool quiet_ = false;
};

}  // namespace brelvik
