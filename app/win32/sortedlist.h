#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/controls.h"
#include "app/win32/control.h"

namespace brelvik {

// A list box that keeps its entries in ascending order, letter case ignored as the browser
// lists order theirs, not by the system's locale. Added entries wait in a batch and are merged
// in one step when the box is next read or the event that added them ends, so filling a box
// costs n log n, not n squared. Only the user's double-click runs a procedure.
class SortedList : public EntryList, public ListBox {
  public:
    void Clear() override;
    bool Add_item(const std::wstring& text) override;
    int List_count() const override;
    int List_index() override;
    void Set_list_index(int index) override;
    std::wstring Text() override;
    void Remove_item(int index) override;

    // Shows the entries added since the box was last read.
    void Show_added();
    void Notify(int code) override;

    std::function<void()> onDblClick;

  private:
    // An entry with its letter-case-folded form, the key it is ordered by.
    struct Entry {
        std::wstring key, text;
        bool operator<(const Entry& other) const { return key < other.key; }
    };

    std::vector<Entry> entries_, added_;
};

}  // namespace brelvik
