#pragma once

class QAbstractItemView;

namespace brelvik {

// Shows an entry's whole text as a tooltip when the list cuts it off; entries that fit get none.
void Show_cut_off_entries_as_tooltips(QAbstractItemView* list);

}  // namespace brelvik
