#include "app/qt/filebox.h"

namespace brelvik {

FileBox::FileBox(FolderReader& reader, QWidget* parent)
    : QListView(parent), reader_(reader), names_(new QStringListModel(this)) {
    setModel(names_);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!quiet_ && onClick && !File_name().empty()) {
            onClick();
        }
    });
    connect(this, &QListView::doubleClicked, this, [this] {
        if (onDblClick) {
            onDblClick();
        }
    });
}

void FileBox::Set_path(const std::wstring& folder) {
    const std::vector<std::wstring> names = reader_.Addon_files(folder);
    QStringList entries;
    entries.reserve(static_cast<qsizetype>(names.size()));
    for (const std::wstring& name : names) {
        entries.append(QString::fromStdWString(name));
    }
    quiet_ = true;
    names_->setStringList(entries);
    quiet_ = false;
    path_ = folder;
}

std::wstring FileBox::File_name() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? std::wstring() : selected.first().data().toString().toStdWString();
}

}  // namespace brelvik
