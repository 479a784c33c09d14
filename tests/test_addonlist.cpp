#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "addonlist/addonlist.h"
#include "info/infofile.h"
#include "platform/pathsep.h"

namespace brelvik {

bool operator==(const AddonListEntries& a, const AddonListEntries& b) {
    return a.addons == b.addons && a.others == b.others;
}

void PrintTo(const AddonListEntries& e, std::ostream* os) {
    const auto print = [os](const std::vector<std::wstring>& entries) {
        for (const std::wstring& entry : entries) {
            *os << " [" << std::string(entry.begin(), entry.end()) << "]";
        }
    };
    *os << "addons";
    print(e.addons);
    *os << " others";
    print(e.others);
}

namespace {

using Entries = std::vector<std::wstring>;

TEST(SplitAddonlist, CutsSectionsAndLines) {
    struct Case {
        std::wstring text;
        Entries addons, others;
    };
    const Case cases[] = {
        {L"", {}, {}},
        {L"A\r\nB", {L"A", L"B"}, {}},
        {L"P\r\nT\r\n", {L"P", L"T"}, {}},
        {L"A\r\n\r\nB", {L"A", L"", L"B"}, {}},
        {L"A\r\nB\r\n/others/\r\nC\r\nD", {L"A", L"B"}, {L"C", L"D"}},
        {L"/others/\r\nC", {}, {L"C"}},
        {L"\r\n/others/\r\nC", {}, {L"C"}},
        {L"A\r\n\r\n/others/\r\nC", {L"A"}, {L"C"}},
        {L"A\r\n\r\n\r\n/others/\r\nC", {L"A", L""}, {L"C"}},
        {L"A\r\n/others/", {L"A"}, {}},
        {L"/others/\r\n", {}, {}},
        // A marker behind a line break is found before one at the very start.
        {L"/others/\r\nC\r\n/others/\r\nD", {L"/others/", L"C"}, {L"D"}},
        {L"\r\n/others/\r\nC\r\n/others/\r\nD", {}, {L"C", L"/others/", L"D"}},
        {L"A\rB\nC\r\n/others/\r\nX\r", {L"A\rB\nC"}, {L"X\r"}},
        // The marker counts only as a whole line.
        {L"/home/me/others/readme.txt", {L"/home/me/others/readme.txt"}, {}},
        {L"A\r\n/others/x\r\nB", {L"A", L"/others/x", L"B"}, {}},
        {L"A/others/\r\nB", {L"A/others/", L"B"}, {}},
        {L"/others/A\r\n/others/\r\nC", {L"/others/A"}, {L"C"}},
        {L"A\r\n/others/\r\r\nC", {L"A", L"/others/\r", L"C"}, {}},
        {L"/others//others/\r\nC", {L"/others//others/", L"C"}, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Split_addonlist(c.text), (AddonListEntries{c.addons, c.others}))
            << std::string(c.text.begin(), c.text.end());
    }
}

TEST(JoinAddonlist, BuildsLinesAndMarker) {
    struct Case {
        Entries addons, others;
        std::wstring text;
    };
    const Case cases[] = {
        {{}, {}, L""},
        {{L"A"}, {}, L"A"},
        {{L"A", L"B"}, {L"C", L"D"}, L"A\r\nB\r\n/others/\r\nC\r\nD"},
        {{}, {L"C"}, L"/others/\r\nC"},
        {{L"A", L""}, {}, L"A\r\n"},
        {{L""}, {L"C"}, L"/others/\r\nC"},
        // An other entry that reads as the marker must not be found before the marker.
        {{}, {L"/others/", L"C"}, L"\r\n/others/\r\n/others/\r\nC"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Join_addonlist(c.addons, c.others), c.text);
    }
}

TEST(ComposeListfile, PutsOneEmptyLineBeforeTheMarker) {
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"", L""},
        {L"A\r\nB", L"A\r\nB"},
        {L"A\r\nB\r\n/others/\r\nC", L"A\r\nB\r\n\r\n/others/\r\nC"},
        {L"/others/\r\nC", L"\r\n/others/\r\nC"},
        {L"A\r\n/others/", L"A\r\n\r\n/others/\r\n"},
        {L"/others/", L"\r\n/others/\r\n"},
        // Where the line break already stands, none is added.
        {L"A\r\n\r\n/others/\r\nC", L"A\r\n\r\n/others/\r\nC"},
        {L"\r\n/others/\r\nC", L"\r\n/others/\r\nC"},
        {L"A\r\n\r\n\r\n/others/\r\nC", L"A\r\n\r\n\r\n/others/\r\nC"},
        // Only a whole marker line counts.
        {L"/home/others/x.pbo\r\n/others/x", L"/home/others/x.pbo\r\n/others/x"},
        {L"/others/x\r\n/others/\r\nC", L"/others/x\r\n\r\n/others/\r\nC"},
        {L"/others/\r\nC\r\n/others/\r\nD", L"/others/\r\nC\r\n\r\n/others/\r\nD"},
    };
    for (const auto& [text, content] : cases) {
        EXPECT_EQ(Compose_listfile(text), content) << std::string(text.begin(), text.end());
    }
}

std::wstring Random_piece_text(std::mt19937& random, const std::vector<std::wstring>& pieces,
                               std::size_t most) {
    std::wstring text;
    const std::size_t count = random() % (most + 1);
    for (std::size_t i = 0; i < count; ++i) {
        text += pieces[random() % pieces.size()];
    }
    return text;
}

TEST(JoinAddonlist, SplitGivesEntriesBack) {
    const std::vector<std::wstring> pieces = {L"a", L"B",        L" ",       L"\r", L"\n",
                                              L"/", L"/others/", L"/others", L"\\"};
    std::mt19937 random(11);
    const auto make = [&](bool addon) {
        Entries entries(random() % 5);
        for (std::wstring& entry : entries) {
            // Entries hold no line break and are not empty; an add-on entry is no marker.
            do {
                entry = Random_piece_text(random, pieces, 4);
            } while (entry.empty() || entry.find(L"\r\n") != std::wstring::npos ||
                     (addon && entry == L"/others/"));
        }
        return entries;
    };
    for (int round = 0; round < 4000; ++round) {
        const AddonListEntries entries{make(true), make(false)};
        ASSERT_EQ(Split_addonlist(Join_addonlist(entries.addons, entries.others)), entries);
    }
}

TEST(ComposeListfile, LoadsBackToTheEntriesOfAnyText) {
    const std::vector<std::wstring> pieces = {
        L"A", L"b", L"\r\n", L"\r", L"\n", L"/others/", L"/others/x", L"\r\n/others/\r\n"};
    std::mt19937 random(13);
    for (int round = 0; round < 6000; ++round) {
        const std::wstring text = Random_piece_text(random, pieces, 8);
        const std::wstring content = Compose_listfile(text);
        ASSERT_EQ(Split_addonlist(content), Split_addonlist(text));
        // Saving a loaded list again writes the same file.
        ASSERT_EQ(Compose_listfile(content), content);
    }
}

// The Addonlist commands of the window, on the text alone, beside the entries they mean to list.
class CommandModel {
  public:
    explicit CommandModel(std::mt19937& random) : random_(random) {}

    void Add_addon(const std::wstring& folder, const std::wstring& name) {
        if (text_.find(name) != std::wstring::npos) {
            return;
        }
        const std::wstring addon = Joined_path(folder, name);
        const std::wstring info = Joined_path(folder, Info_name(name));
        text_ = addon + L"\r\n" + info + L"\r\n" + text_;
        entries_.addons.insert(entries_.addons.begin(), {addon, info});
    }

    void Add_other(const std::wstring& file) {
        if (Find_others_marker(text_) != std::wstring::npos) {
            text_ += L"\r\n" + file;
        } else if (!text_.empty()) {
            text_ += L"\r\n/others/\r\n" + file;
        } else {
            text_ = L"/others/\r\n" + file;
        }
        entries_.others.push_back(file);
    }

    // A removal by double-click rebuilds the text from the sorted boxes.
    void Remove_one() {
        std::sort(entries_.addons.begin(), entries_.addons.end());
        std::sort(entries_.others.begin(), entries_.others.end());
        Entries& section = random_() % 2 ? entries_.addons : entries_.others;
        if (!section.empty()) {
            section.erase(section.begin() + random_() % section.size());
        }
        text_ = Join_addonlist(entries_.addons, entries_.others);
    }

    void Save_and_load() { text_ = Compose_listfile(text_); }

    void Clear() {
        text_.clear();
        entries_ = {};
    }

    const std::wstring& Text() const { return text_; }
    const AddonListEntries& Listed() const { return entries_; }

  private:
    std::mt19937& random_;
    std::wstring text_;
    AddonListEntries entries_;
};

TEST(ComposeListfile, EveryListTheCommandsMakeLoadsBack) {
    const std::wstring folders[] = {L"C:\\m", L"/home/me/others", L"/", L"D:\\A b"};
    const std::wstring names[] = {L"tank.pbo", L"ank.pbo", L"X.PBO", L"others.pbo", L"a b.pbo"};
    const std::wstring files[] = {L"/home/me/others/readme.txt", L"/others/x", L"/others",
                                  L"C:\\m\\readme.doc", L"/srv/others/"};
    std::mt19937 random(17);
    for (int run = 0; run < 400; ++run) {
        CommandModel model(random);
        for (int step = 0; step < 12; ++step) {
            switch (random() % 8) {
                case 0:
                case 1:
                case 2:
                    model.Add_addon(folders[random() % std::size(folders)],
                                    names[random() % std::size(names)]);
                    break;
                case 3:
                case 4:
                    model.Add_other(files[random() % std::size(files)]);
                    break;
                case 5:
                    model.Remove_one();
                    break;
                case 6:
                    model.Save_and_load();
                    break;
                default:
                    if (random() % 4 == 0) {
                        model.Clear();
                    }
            }
            ASSERT_EQ(Split_addonlist(model.Text()), model.Listed());
            ASSERT_EQ(Split_addonlist(Compose_listfile(model.Text())), model.Listed());
        }
    }
}

}  // namespace
}  // namespace brelvik
