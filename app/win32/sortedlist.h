#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/controls.h"
#include "app/sortedentries.h"
#include "app/win32/control.h"

namespace brelvik {

// A list box that keeps its entries in ascending order, letter case ignored, whatever the order
// of adding; an added batch shows when the box is next read or the event that added it ends.
// Only the user's double-click runs a procedure.
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
    SortedEntries entries_;
};

}  // namespace brelvik
