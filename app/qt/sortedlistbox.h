#pragma once

#include <QAbstractListModel>
#include <QListView>
#include <functional>
#include <string>
#include <vector>

#include "app/controls.h"
#include "app/sortedentries.h"

namespace brelvik {

// A list box that keeps its entries in ascending order, letter case ignored, whatever the order
// of adding. Added entries wait in a batch and are merged in one step when the box is next read
// or drawn, so filling a box costs n log n, not n squared. Nothing the procedures do to it runs a
// procedure; only the user's double-click does.
class SortedListBox : public QListView, public ListBox {
  public:
    explicit SortedListBox(QWidget* parent);

    void Clear() override;
    // False, and nothing added, when the box already holds kMaxEntries.
    bool Add_item(const std::wstring& text) override;
    int List_count() const override;
    // The selected entry, first 0, -1 for none; setting -1 clears the selection.
    int List_index() override;
    void Set_list_index(int index) override;
    // The selected entry's text; empty when none is selected.
    std::wstring Text() override;
    void Remove_item(int index) override;
    // Every entry's text, in the box's order.
    std::vector<std::wstring> Items();

    std::function<void()> onDblClick;

  private:
    class Entries;
    void Merge_added();
    int Selected_row() const;

    Entries* entries_;
};

}  // namespace brelvik
