#include <algorithm>
#include <optional>
#include <string_view>

#include "addonlist/addonlist.h"
#include "addonlist/listfile.h"
#include "addonlist/namekey.h"
#include "app/addoninfo.h"
#include "info/infofile.h"
#include "platform/desktop.h"
#include "platform/folders.h"
#include "platform/pathsep.h"

namespace brelvik {
namespace {

const std::wstring kAllFiles = L"All files (*.*)|*.*";
const std::wstring kListFull = L"The Addonlist is full: a list box holds at most 32767 entries";

// Whether a line of the list text names a file of this name. The packers store every member
// under its bare file name, so two files of one name collide in the archive wherever they lie;
// names are compared as the packer compares them: as a Windows folder does.
bool Name_listed(std::wstring_view text, const std::wstring& name) {
    const std::wstring folded = Same_name_key(name);
    while (!text.empty()) {
        const std::size_t end = std::min(text.find(kLineBreak), text.size());
        const std::wstring_view bare = Bare_name(text.substr(0, end));
        if (bare.size() == folded.size() && Same_name_key(bare) == folded) {
            return true;
        }
        text.remove_prefix(std::min(end + kLineBreak.size(), text.size()));
    }
    return false;
}

std::wstring Unlistable_message(const std::wstring& name) {
    return L"This name holds a line break and cannot go on the Addonlist:\n" + name;
}

bool Fits_boxes(const AddonListEntries& entries) {
    return entries.addons.size() <= ListBox::kMaxEntries &&
           entries.others.size() <= ListBox::kMaxEntries;
}

// Every entry's text in the box's order, read by stepping the selection through the box, which
// runs no procedure; the selection is left cleared.
std::vector<std::wstring> Items(ListBox& box) {
    std::vector<std::wstring> items;
    const int count = box.List_count();
    items.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        box.Set_list_index(i);
        items.push_back(box.Text());
    }
    box.Set_list_index(-1);
    return items;
}

}  // namespace

// The new add-on and its info file go in front of the older entries. The boxes already show
// the rest of the text, so only the pair joins them: no rebuild of a long list.
void AddonInfo::File1_DblClick() {
    Add_addon(currentDir, File1->File_name());
}

void AddonInfo::Add_addon(const std::wstring& folder, const std::wstring& name) {
    if (name.empty() || Name_listed(addonListText, name)) {
        return;
    }
    if (AddonList->List_count() > ListBox::kMaxEntries - 2) {
        desktop_.Show_message(kListFull);
        return;
    }
    const std::wstring addon = Joined_path(folder, name);
    const std::wstring info = Joined_path(folder, Info_name(name));
    if (!Listable(addon)) {
        desktop_.Show_message(Unlistable_message(addon));
        return;
    }
    std::wstring text = addon;
    text.append(kLineBreak).append(info).append(kLineBreak).append(addonListText);
    addonListText = std::move(text);
    AddonList->Add_item(addon);
    AddonList->Add_item(info);
}

void AddonInfo::Command4_Click() {
    const std::wstring file = desktop_.Open_file_dialog(currentDir, kAllFiles);
    if (!file.empty()) {
        Add_other_file(file);
    }
}

void AddonInfo::Add_other_file(const std::wstring& file) {
    if (!Listable(file)) {
        desktop_.Show_message(Unlistable_message(file));
        return;
    }
    std::wstring text = addonListText;
    if (Find_others_marker(text) == std::wstring::npos) {
        if (!text.empty()) {
            text.append(kLineBreak);
        }
        text.append(kOthersMarker);
    }
    text.append(kLineBreak).append(file);
    Take_list_text(std::move(text));
}

// An add-on entry (".pbo" or ".PBO", the two spellings the list has always known) takes its own
// info entry with it, wherever that stands in the box.
void AddonInfo::AddonList_DblClick() {
    const int selected = AddonList->List_index();
    if (selected < 0) {
        return;
    }
    const std::wstring entry = AddonList->Text();
    int info = -1;
    if (entry.ends_with(L".pbo") || entry.ends_with(L".PBO")) {
        const std::wstring infoEntry = entry.substr(0, entry.size() - 4) + L".txt";
        const std::vector<std::wstring> items = Items(*AddonList);
        const auto found = std::ranges::find(items, infoEntry);
        if (found != items.end()) {
            info = static_cast<int>(found - items.begin());
        }
    }
    // The later entry first, so that the earlier one keeps its index.
    AddonList->Remove_item(std::max(selected, info));
    if (info >= 0) {
        AddonList->Remove_item(std::min(selected, info));
    }
    Refresh_addonslist();
}

void AddonInfo::filelist_DblClick() {
    const int selected = filelist->List_index();
    if (selected < 0) {
        return;
    }
    filelist->Remove_item(selected);
    Refresh_addonslist();
}

void AddonInfo::Command3_Click() {
    AddonList->Clear();
    filelist->Clear();
    addonListText.clear();
    addonListPath.clear();
    Refresh_list();
}

// The boxes always show the text, an empty one too: boxes that kept entries the text no longer
// holds would be saved, packed and rebuilt differently from what they show.
void AddonInfo::Refresh_list() {
    const AddonListEntries entries = Split_addonlist(addonListText);
    for (auto [box, section] :
         {std::pair<ListBox*, const std::vector<std::wstring>*>{AddonList, &entries.addons},
          {filelist, &entries.others}}) {
        box->Clear();
        for (const std::wstring& entry : *section) {
            box->Add_item(entry);
        }
    }
}

void AddonInfo::Refresh_addonslist() {
    addonListText = Join_addonlist(Items(*AddonList), Items(*filelist));
    AddonList->Set_list_index(-1);
    filelist->Set_list_index(-1);
}

bool AddonInfo::Take_list_text(std::wstring text) {
    const AddonListEntries entries = Split_addonlist(text);
    if (const std::optional<std::wstring> entry = Unlistable_entry(entries)) {
        desktop_.Show_message(Unlistable_message(*entry));
        return false;
    }
    if (!Fits_boxes(entries)) {
        desktop_.Show_message(kListFull);
        return false;
    }
    addonListText = std::move(text);
    Refresh_list();
    return true;
}

}  // namespace brelvik
