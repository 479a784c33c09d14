#include "app/qt/folderbox.h"

#include <QKeyEvent>
#include <QStyle>

#include "platform/pathsep.h"

namespace brelvik {

FolderBox::FolderBox(FolderReader& reader, QWidget* parent)
    : QListWidget(parent), FolderChoice(reader) {
    setUniformItemSizes(true);
    connect(this, &QListWidget::itemDoubleClicked, this,
            [this](const QListWidgetItem* item) { Open(item); });
}

void FolderBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Open(currentItem());
        return;
    }
    QListWidget::keyPressEvent(event);
}

void FolderBox::Show_folder(const std::wstring& path, const std::vector<std::wstring>& subfolders) {
    const std::vector<std::wstring> chain = Folder_chain(path);
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    clear();
    paths_.clear();
    auto add = [this](const QIcon& icon, const std::wstring& name, const std::wstring& full,
                      std::size_t depth) {
        auto* item = new QListWidgetItem(
            icon, QString(static_cast<qsizetype>(depth * 2), u' ') + QString::fromStdWString(name));
        addItem(item);
        paths_.push_back(full);
    };
    add(open, chain.front(), chain.front(), 0);
    for (std::size_t depth = 1; depth < chain.size(); ++depth) {
        const std::wstring& folder = chain[depth];
        add(open, folder.substr(folder.rfind(kPathSeparator) + 1), folder, depth);
    }
    setCurrentRow(static_cast<int>(chain.size()) - 1);
    for (const std::wstring& name : subfolders) {
        add(closed, name, Subfolder_path(path, name), chain.size());
    }
}

void FolderBox::Open(const QListWidgetItem* item) {
    if (item && onOpen) {
        onOpen(paths_[static_cast<std::size_t>(row(item))]);
    }
}

}  // namespace brelvik
