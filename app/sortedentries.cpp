#include "app/sortedentries.h"

#include <algorithm>
#include <iterator>

#include "platform/collation.h"

namespace brelvik {

void SortedEntries::Add(const std::wstring& text) {
    added_.push_back({Sort_key(text), text});
}

void SortedEntries::Clear() {
    entries_.clear();
    added_.clear();
}

void SortedEntries::Remove(std::size_t index) {
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
}

int SortedEntries::Merge(int selected) {
    std::stable_sort(added_.begin(), added_.end());
    if (selected >= 0) {
        // The selected entry moves down by the added entries that sort before it.
        const auto before = std::lower_bound(added_.begin(), added_.end(),
                                             entries_[static_cast<std::size_t>(selected)]);
        selected += static_cast<int>(before - added_.begin());
    }
    std::vector<Entry> merged;
    merged.reserve(entries_.size() + added_.size());
    std::merge(std::make_move_iterator(entries_.begin()), std::make_move_iterator(entries_.end()),
               std::make_move_iterator(added_.begin()), std::make_move_iterator(added_.end()),
               std::back_inserter(merged));
    added_.clear();
    entries_ = std::move(merged);
    return selected;
}

}  // namespace brelvik
