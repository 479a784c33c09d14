// The order of the sorted lists: the alphabet of the user's language, letter case ignored.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/sortedentries.h"
#include "platform/collation.h"
#include "platform/folders.h"

namespace brelvik {
namespace {

class Collation : public ::testing::Test {
  protected:
    void TearDown() override { Use_collation_locale(""); }
};

// Each list in its order; every way of adding or listing them must give it back.
TEST_F(Collation, FollowsTheLanguageWithLetterCaseIgnored) {
    const struct {
        const char* locale;
        std::vector<std::wstring> ordered;
    } cases[] = {
        // Accented letters among their plain ones; a hyphen counts only between equal letters.
        {"en-US", {L"ab.pbo", L"a-c.pbo", L"B.pbo", L"\u00E9cole.pbo", L"Ecoles.pbo", L"zulu.pbo"}},
#ifndef _WIN32
        // Where a language puts a letter is its own (Windows' tables under Wine may differ).
        {"de-DE", {L"Oase.pbo", L"\u00D6l.pbo", L"zulu.pbo"}},
        {"sv-SE", {L"Oase.pbo", L"zulu.pbo", L"\u00D6l.pbo"}},
#endif
    };
    for (const auto& c : cases) {
        Use_collation_locale(c.locale);
        std::vector<std::wstring> listed(c.ordered.rbegin(), c.ordered.rend());
        Sort_ignoring_case(listed);
        EXPECT_EQ(listed, c.ordered) << c.locale;

        SortedEntries entries;
        for (const std::wstring& name : listed) {
            entries.Add(name);
        }
        entries.Merge(-1);
        std::vector<std::wstring> shown;
        for (const SortedEntries::Entry& entry : entries.Merged()) {
            shown.push_back(entry.text);
        }
        EXPECT_EQ(shown, c.ordered) << c.locale;
    }
}

// Only names equal but for letter case have equal keys: any other two keep one order.
TEST_F(Collation, OnlyLetterCaseMakesNamesEqual) {
    Use_collation_locale("en-US");
    EXPECT_EQ(Sort_key(L"Tank.PBO"), Sort_key(L"tank.pbo"));
    for (const auto& [a, b] : {std::pair{L"a-c", L"ac"},
                               {L"a_c", L"a.c"},
                               {L"\u00E9", L"e"},
                               {L"a\xDCE9", L"a\xDCE8"}}) {
        EXPECT_NE(Sort_key(a), Sort_key(b)) << a;
    }
}

}  // namespace
}  // namespace brelvik
