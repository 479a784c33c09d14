#include "app/qt/sortedlistbox.h"

#include <QTimer>
#include <algorithm>

#include "platform/folders.h"

namespace brelvik {

class SortedListBox::Entries : public QAbstractListModel {
  public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(items.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || index.row() >= static_cast<int>(items.size())) {
            return {};
        }
        return QString::fromStdWString(items[static_cast<std::size_t>(index.row())].text);
    }
    void Replace(std::vector<Entry> sorted) {
        beginResetModel();
        items = std::move(sorted);
        endResetModel();
    }
    void Remove(int row) {
        beginRemoveRows({}, row, row);
        items.erase(items.begin() + row);
        endRemoveRows();
    }

    std::vector<Entry> items;
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
    added_.clear();
    entries_->Replace({});
}

bool SortedListBox::Add_item(const std::wstring& text) {
    if (List_count() >= kMaxEntries) {
        return false;
    }
    if (added_.empty()) {
        // Show the batch once the procedure that adds it has returned.
        QTimer::singleShot(0, this, [this] { Merge_added(); });
    }
    added_.push_back({Folded(text), text});
    return true;
}

int SortedListBox::List_count() const {
    return static_cast<int>(entries_->items.size() + added_.size());
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
    return index < 0 ? std::wstring() : entries_->items[static_cast<std::size_t>(index)].text;
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
    texts.reserve(entries_->items.size());
    for (const Entry& entry : entries_->items) {
        texts.push_back(entry.text);
    }
    return texts;
}

void SortedListBox::Merge_added() {
    if (added_.empty()) {
        return;
    }
    std::stable_sort(added_.begin(), added_.end());
    const std::vector<Entry>& items = entries_->items;
    int selected = Selected_row();
    if (selected >= 0) {
        // The selected entry moves down by the added entries that sort before it.
        const auto before = std::lower_bound(added_.begin(), added_.end(),
                                             items[static_cast<std::size_t>(selected)]);
        selected += static_cast<int>(before - added_.begin());
    }
    std::vector<Entry> merged;
    merged.reserve(items.size() + added_.size());
    // Equal entries keep the order of adding: the ones already there come first.
    std::merge(std::make_move_iterator(entries_->items.begin()),
               std::make_move_iterator(entries_->items.end()),
               std::make_move_iterator(added_.begin()), std::make_move_iterator(added_.end()),
               std::back_inserter(merged));
    added_.clear();
    entries_->Replace(std::move(merged));
    Set_list_index(selected);
}

}  // namespace brelvik
