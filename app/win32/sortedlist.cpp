#include "app/win32/sortedlist.h"

namespace brelvik {

void SortedList::Clear() {
    entries_.Clear();
    Send(LB_RESETCONTENT);
}

bool SortedList::Add_item(const std::wstring& text) {
    if (List_count() >= kMaxEntries) {
        return false;
    }
    entries_.Add(text);
    return true;
}

int SortedList::List_count() const {
    return static_cast<int>(entries_.Count());
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
    return index < 0 ? std::wstring() : entries_.Merged()[static_cast<std::size_t>(index)].text;
}

void SortedList::Remove_item(int index) {
    Show_added();
    if (index >= 0 && index < List_count()) {
        entries_.Remove(static_cast<std::size_t>(index));
        Send(LB_DELETESTRING, static_cast<WPARAM>(index));
    }
}

void SortedList::Show_added() {
    if (!entries_.Has_added()) {
        return;
    }
    const int selected = entries_.Merge(static_cast<int>(Send(LB_GETCURSEL)));
    std::vector<std::wstring> texts;
    texts.reserve(entries_.Merged().size());
    for (const SortedEntries::Entry& entry : entries_.Merged()) {
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
