#include "app/qt/filebox.h"

#include <QAbstractListModel>
#include <algorithm>
#include <utility>
#include <vector>

namespace brelvik {

// A folder may hold 100,000 add-ons, of which a few dozen are ever drawn: the names stay as
// the folder reader gives them, and only the rows the view asks for become Qt text.
class FileBox::Names : public QAbstractListModel {
  public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(items.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || index.row() >= static_cast<int>(items.size())) {
            return {};
        }
        return QString::fromStdWString(items[static_cast<std::size_t>(index.row())]);
    }
    void Replace(std::vector<std::wstring> names) {
        beginResetModel();
        items = std::move(names);
        endResetModel();
    }

    std::vector<std::wstring> items;
};

FileBox::FileBox(FolderReader& reader, QWidget* parent)
    : QListView(parent), reader_(reader), names_(new Names(this)) {
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
    std::vector<std::wstring> names = reader_.Addon_files(folder);
    quiet_ = true;
    names_->Replace(std::move(names));
    quiet_ = false;
    path_ = folder;
}

QItemSelectionModel::SelectionFlags FileBox::selectionCommand(const QModelIndex& index,
                                                              const QEvent* event) const {
    const QItemSelectionModel::SelectionFlags command = QListView::selectionCommand(index, event);
    if (!index.isValid() || command.testFlag(QItemSelectionModel::Deselect)) {
        return QItemSelectionModel::NoUpdate;
    }
    return command;
}

std::wstring FileBox::File_name() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? std::wstring()
                              : names_->items[static_cast<std::size_t>(selected.first().row())];
}

bool FileBox::Select_file(const std::wstring& name) {
    const auto found = std::ranges::find(names_->items, name);
    if (found == names_->items.end()) {
        return false;
    }
    const QModelIndex entry = names_->index(static_cast<int>(found - names_->items.begin()), 0);
    quiet_ = true;
    setCurrentIndex(entry);
    quiet_ = false;
    scrollTo(entry);
    return true;
}

}  // namespace brelvik
