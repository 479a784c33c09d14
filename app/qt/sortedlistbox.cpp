#include "app/qt/sortedlistbox.h"

#include <QTimer>

namespace brelvik {

// Shows the sorted entries; every change to them goes through here, so the view hears of it.
class SortedListBox::Entries : public QAbstractListModel {
  public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(sorted.Merged().size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        const auto& items = sorted.Merged();
        if (role != Qt::DisplayRole || index.row() >= static_cast<int>(items.size())) {
            return {};
        }
        return QString::fromStdWString(items[static_cast<std::size_t>(index.row())].text);
    }
    template <typename Change>
    void Reset(Change change) {
        beginResetModel();
        change();
        endResetModel();
    }
    void Remove(int row) {
        beginRemoveRows({}, row, row);
        sorted.Remove(static_cast<std::size_t>(row));
        endRemoveRows();
    }

    SortedEntries sorted;
};

SortedListBox::SortedListBox(QWidget* parent) : QListView(parent), entries_(new Entries(this)) {
    setModel(entries_);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(this, &QListView::doubleClicked, this, [this] {
        if (onDblClick) {
            onDblClick();
        }
    });
}

void SortedListBox::Clear() {
    entries_->Reset([this] { entries_->sorted.Clear(); });
}

bool SortedListBox::Add_item(const std::wstring& text) {
    if (List_count() >= kMaxEntries) {
        return false;
    }
    if (!entries_->sorted.Has_added()) {
        // Show the batch once the procedure that adds it has returned.
        QTimer::singleShot(0, this, [this] { Merge_added(); });
    }
    entries_->sorted.Add(text);
    return true;
}

int SortedListBox::List_count() const {
    return static_cast<int>(entries_->sorted.Count());
}

int SortedListBox::List_index() {
    Merge_added();
    return Selected_row();
}

int SortedListBox::Selected_row() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void SortedListBox::Set_list_index(int index) {
    Merge_added();
    if (index < 0 || index >= List_count()) {
        clearSelection();
        return;
    }
    const QModelIndex entry = entries_->index(index);
    setCurrentIndex(entry);
    selectionModel()->select(entry, QItemSelectionModel::ClearAndSelect);
}

std::wstring SortedListBox::Text() {
    const int index = List_index();
    return index < 0 ? std::wstring()
                     : entries_->sorted.Merged()[static_cast<std::size_t>(index)].text;
}

void SortedListBox::Remove_item(int index) {
    Merge_added();
    if (index >= 0 && index < List_count()) {
        entries_->Remove(index);
    }
}

std::vector<std::wstring> SortedListBox::Items() {
    Merge_added();
    std::vector<std::wstring> texts;
    texts.reserve(entries_->sorted.Merged().size());
    for (const SortedEntries::Entry& entry : entries_->sorted.Merged()) {
        texts.push_back(entry.text);
    }
    return texts;
}

void SortedListBox::Merge_added() {
    if (!entries_->sorted.Has_added()) {
        return;
    }
    int selected = Selected_row();
    entries_->Reset([&] { selected = entries_->sorted.Merge(selected); });
    Set_list_index(selected);
}

}  // namespace brelvik
