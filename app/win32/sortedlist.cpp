#include "app/win32/sortedlist.h"

#include <algorithm>
#include <iterator>

#include "platform/folders.h"

namespace brelvik {

void SortedList::Clear() {
    added_.clear();
    entries_.clear();
    Send(LB_RESETCONTENT);
}

bool SortedList::Add_item(const std::wstring& text) {
    if (List_count() >= kMaxEntries) {
        return false;
    }
    added_.push_back({Folded(text), text});
    return true;
}

int SortedList::List_count() const {
    return static_cast<int>(entries_.size() + added_.size());
}

int SortedList::List_index() {
    Show_added();
    return static_cast<int>(Send(LB_GETCURSEL));
}

void SortedList::Set_list_index(int index) {
    Show_added();
    Send(LB_SETCURSEL, index >= 0 && index < List_count() ? index : -1);
}

std::wstring SortedList::Text() {
    const int index = List_index();
    return index < 0 ? std::wstring() : entries_[static_cast<std::size_t>(index)].text;
}

void SortedList::Remove_item(int index) {
    Show_added();
    if (index >= 0 && index < List_count()) {
        entries_.erase(entries_.begin() + index);
        Send(LB_DELETESTRING, static_cast<WPARAM>(index));
    }
}

void SortedList::Show_added() {
    if (added_.empty()) {
        return;
    }
    std::stable_sort(added_.begin(), added_.end());
    int selected = static_cast<int>(Send(LB_GETCURSEL));
    if (selected >= 0) {
        // The selected entry moves down by the added entries that sort before it.
        const auto before = std::lower_bound(added_.begin(), added_.end(),
                                             entries_[static_cast<std::size_t>(selected)]);
        selected += static_cast<int>(before - added_.begin());
    }
    std::vector<Entry> merged;
    merged.reserve(entries_.size() + added_.size());
    // Equal entries keep the order of adding: the ones already there come first.
    std::merge(std::make_move_iterator(entries_.begin()), std::make_move_iterator(entries_.end()),
               std::make_move_iterator(added_.begin()), std::make_move_iterator(added_.end()),
               std::back_inserter(merged));
    added_.clear();
    entries_ = std::move(merged);
    std::vector<std::wstring> texts;
    texts.reserve(entries_.size());
    for (const Entry& entry : entries_) {
        texts.push_back(entry.text);
    }
    Replace_list_entries(Handle(), texts);
    Send(LB_SETCURSEL, selected);
}

void SortedList::Notify(int code) {
    if (code == LBN_DBLCLK && On_entry() && onDblClick) {
        onDblClick();
    }
}

}  // namespace brelvik
