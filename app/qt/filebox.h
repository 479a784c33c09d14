#pragma once

#include <QListView>
#include <functional>
#include <string>

#include "app/controls.h"
#include "app/folderreader.h"

namespace brelvik {

// The add-on files (*.pbo, letter case ignored) of one folder in alphabetical order, hidden
// and system files left out. Setting the folder refreshes the entries at once and runs no
// procedure; the user's selection of a file runs onClick, a double-click then onDblClick.
class FileBox : public QListView, public FileList {
  public:
    FileBox(FolderReader& reader, QWidget* parent);

    std::wstring Path() const override { return path_; }
    // Throws PlatformError when the folder cannot be read; the list then stays as it was.
    void Set_path(const std::wstring& folder) override;
    // The selected file's name without folder; empty when none is selected.
    std::wstring File_name() const override;
    bool Select_file(const std::wstring& name) override;

    std::function<void()> onClick;
    std::function<void()> onDblClick;

  protected:
    // Once a file is selected one stays selected, as in the system's own file list: neither a
    // Ctrl+click on it nor a click below the entries clears it behind the boxes that show it.
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;

  private:
    class Names;

    FolderReader& reader_;
    Names* names_;
    std::wstring path_;
    bool quiet_ = false;
};

}  // namespace brelvik
