// Split_addonlist, Join_addonlist and Compose_listfile on any text, and on every text that a
// sequence of Addonlist commands makes.

#include <string>
#include <vector>

#include "addonlist/addonlist.h"
#include "info/infofile.h"
#include "platform/pathsep.h"
#include "tests/fuzz/fuzz_check.h"

namespace brelvik::fuzz {
namespace {

bool operator==(const AddonListEntries& a, const AddonListEntries& b) {
    return a.addons == b.addons && a.others == b.others;
}

// A saved list loads back to the entries of the text it was saved from, and saving a loaded
// list again writes the same file.
void Check_save_and_load(const std::wstring& text) {
    const std::wstring content = Compose_listfile(text);
    Require(Split_addonlist(content) == Split_addonlist(text), "a saved list loads back");
    Require(Compose_listfile(content) == content, "saving a loaded list changes nothing");
}

// Entries that a line-per-entry text can carry: not empty, no line break, no add-on entry
// that reads as the marker line.
std::vector<std::wstring> Carriable(const std::vector<std::wstring>& entries, bool addons) {
    std::vector<std::wstring> kept;
    for (const std::wstring& entry : entries) {
        if (!entry.empty() && entry.find(L"\r\n") == std::wstring::npos &&
            !(addons && entry == L"/others/")) {
            kept.push_back(entry);
        }
    }
    return kept;
}

void Check_join(const AddonListEntries& split) {
    const AddonListEntries entries{Carriable(split.addons, true), Carriable(split.others, false)};
    const std::wstring text = Join_addonlist(entries.addons, entries.others);
    Require(Split_addonlist(text) == entries, "a joined text splits into its entries");
    Check_save_and_load(text);
}

// The window's commands on the text alone. Adding another file is tried both with the whole-line
// marker test and with a plain substring test for "/others/".
class Commands {
  public:
    void Run(wchar_t command, const std::wstring& argument) {
        switch (command % 6) {
            case 0:
                Add_addon(argument);
                break;
            case 1:
                Add_other(argument, Find_others_marker(text_) != std::wstring::npos);
                break;
            case 2:
                Add_other(argument, text_.find(L"/others/") != std::wstring::npos);
                break;
            case 3:
                Remove_one(argument.size());
                break;
            case 4:
                text_ = Compose_listfile(text_);
                break;
            default:
                text_.clear();
        }
    }

    const std::wstring& Text() const { return text_; }

  private:
    void Add_addon(const std::wstring& path) {
        const std::size_t separator = path.rfind(kPathSeparator);
        const std::wstring folder =
            separator == std::wstring::npos ? L"" : path.substr(0, separator);
        const std::wstring name = path.substr(separator == std::wstring::npos ? 0 : separator + 1);
        if (name.empty() || text_.find(name) != std::wstring::npos) {
            return;
        }
        text_ = Joined_path(folder, name) + L"\r\n" + Joined_path(folder, Info_name(name)) +
                L"\r\n" + text_;
    }

    void Add_other(const std::wstring& file, bool hasMarker) {
        if (hasMarker) {
            text_ += L"\r\n" + file;
        } else if (!text_.empty()) {
            text_ += L"\r\n/others/\r\n" + file;
        } else {
            text_ = L"/others/\r\n" + file;
        }
    }

    // A double-click removal: the boxes lose one entry and the text is rebuilt from them.
    void Remove_one(std::size_t pick) {
        AddonListEntries boxes = Split_addonlist(text_);
        std::vector<std::wstring>& box = pick % 2 ? boxes.others : boxes.addons;
        if (!box.empty()) {
            box.erase(box.begin() + static_cast<std::ptrdiff_t>(pick / 2 % box.size()));
        }
        text_ = Join_addonlist(boxes.addons, boxes.others);
    }

    std::wstring text_;
};

// Each of the input's pieces is a command: its first character picks the command, the rest is
// its path.
void Check_commands(const std::wstring& input) {
    Commands commands;
    for (const std::wstring& piece : Pieces(input)) {
        if (!piece.empty()) {
            commands.Run(piece.front(), piece.substr(1));
            Check_save_and_load(commands.Text());
        }
    }
}

}  // namespace
}  // namespace brelvik::fuzz

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    using namespace brelvik::fuzz;
    const std::wstring text = Text(data, size);
    Check_save_and_load(text);
    Check_join(brelvik::Split_addonlist(text));
    Check_commands(text);
    return 0;
}
