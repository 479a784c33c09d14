#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace brelvik {

// The entries of a sorted list box: in the alphabetical order of the user's language, letter
// case ignored, as the browser lists order theirs. Added entries wait in a batch and are merged
// in one step when the box is next read or drawn, so filling a box costs n log n, not n squared.
class SortedEntries {
  public:
    // An entry with its sort key, made once, which it is ordered by.
    struct Entry {
        std::string key;
        std::wstring text;
        bool operator<(const Entry& other) const { return key < other.key; }
    };

    // The merged entries, in order; the added ones are not among them yet.
    const std::vector<Entry>& Merged() const { return entries_; }
    std::size_t Count() const { return entries_.size() + added_.size(); }
    bool Has_added() const { return !added_.empty(); }
    void Add(const std::wstring& text);
    void Clear();
    void Remove(std::size_t index);
    // Merges the added entries in. Gives where the merged entry at selected now stands (-1 for
    // none stays -1). Equal entries keep the order of adding: the ones already there come first.
    int Merge(int selected);

  private:
    std::vector<Entry> entries_, added_;
};

}  // namespace brelvik
