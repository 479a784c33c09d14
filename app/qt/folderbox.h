#pragma once

#include <QListWidget>
#include <string>
#include <vector>

#include "app/folderchoice.h"

namespace brelvik {

// The folder list as a Qt list: the chain of folders from the root down to the folder shown,
// then that folder's subfolders; a double-click or Enter opens an entry.
class FolderBox : public QListWidget, public FolderChoice {
  public:
    FolderBox(FolderReader& reader, QWidget* parent);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void Show_folder(const std::wstring& folder,
                     const std::vector<std::wstring>& subfolders) override;
    void Open(const QListWidgetItem* item);

    // Each row's folder as the program's text: a name the system holds in bytes that are not
    // UTF-8 shows with a replacement mark but must still open the folder it names.
    std::vector<std::wstring> paths_;
};

}  // namespace brelvik
