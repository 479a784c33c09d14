#include <gtest/gtest.h>

#include <random>
#include <string>

#include "info/infofile.h"
#include "platform/pathsep.h"

namespace brelvik {

bool operator==(const InfoFields& a, const InfoFields& b) {
    return a.units == b.units && a.info == b.info && a.comment == b.comment &&
           a.author == b.author && a.version == b.version && a.reqversion == b.reqversion &&
           a.readme == b.readme;
}

void PrintTo(const InfoFields& f, std::ostream* os) {
    const auto narrow = [](const std::wstring& s) { return std::string(s.begin(), s.end()); };
    *os << "{units=" << narrow(f.units) << " info=" << narrow(f.info)
        << " comment=" << narrow(f.comment) << " author=" << narrow(f.author)
        << " version=" << narrow(f.version) << " reqversion=" << narrow(f.reqversion)
        << " readme=" << narrow(f.readme) << "}";
}

namespace {

const std::wstring kRule(53, L'=');
const std::wstring kMarker = kRule + L"\r\nDIZUV Information";
const std::wstring kBlock = L"\r\n\r\n" + kMarker + L"\r\n";

// Fields as a file without any tag gives them.
InfoFields Placeholders() {
    return {L"No entry", L"No entry", L"No entry", L"No entry", L"-", L"-", L""};
}

TEST(ComposeInfotext, WorkedExampleByteForByte) {
    const InfoFields fields{L"Tank", L"No entry", L"No entry",     L"Someone",
                            L"1.0",  L"1.9",      L"Read me first"};
    const ComposedInfo composed = Compose_infotext(fields);
    EXPECT_FALSE(composed.reqVersionMissing);
    ASSERT_EQ(composed.text.size(), 148u);
    EXPECT_EQ(composed.text, L"Read me first\r\n\r\n" + kRule +
                                 L"\r\nDIZUV Information\r\n"
                                 L"/x/unitsTank/x/authorSomeone/x/version1.0/x/reqversion1.9");
    EXPECT_EQ(composed.text.substr(91, 8), L"/x/units");  // positions 92-99

    InfoFields expected = fields;
    EXPECT_EQ(Parse_infotext(composed.text), expected);
}

TEST(ComposeInfotext, WritesOnlySetFields) {
    struct Case {
        const char* name;
        InfoFields fields;
        std::wstring text;  // empty: nothing to write
        bool reqVersionMissing;
    };
    const Case cases[] = {
        {"all placeholders, readme ignored",
         {L"No entry", L"No entry", L"No entry", L"No entry", L"-", L"-", L"readme"},
         L"",
         true},
        {"all empty", {}, L"", true},
        {"only reqversion unset still composes",
         {L"U", L"", L"", L"", L"", L"-", L""},
         kBlock + L"/x/unitsU",
         true},
        {"only reqversion set",
         {L"", L"", L"", L"", L"", L"2", L""},
         kBlock + L"/x/reqversion2",
         false},
        {"placeholder with a line break is set",
         {L"No entry\r\n", L"", L"", L"", L"", L"", L""},
         kBlock + L"/x/unitsNo entry\r\n",
         true},
        {"placeholder match is case-sensitive and untrimmed",
         {L"no entry", L"No entry ", L"", L"", L"", L"", L""},
         kBlock + L"/x/unitsno entry/x/infoNo entry ",
         true},
        {"each field has its own placeholder",
         {L"-", L"", L"", L"", L"No entry", L"", L""},
         kBlock + L"/x/units-/x/versionNo entry",
         true},
        {"blanks are set", {L"", L"", L"", L"  ", L"", L"", L""}, kBlock + L"/x/author  ", true},
        {"all six in their order",
         {L"1", L"2", L"3", L"4", L"5", L"6", L"R\r\n"},
         L"R\r\n" + kBlock + L"/x/units1/x/info2/x/comment3/x/author4/x/version5/x/reqversion6",
         false},
    };
    for (const Case& c : cases) {
        const ComposedInfo composed = Compose_infotext(c.fields);
        EXPECT_EQ(composed.text, c.text) << c.name;
        EXPECT_EQ(composed.reqVersionMissing, c.reqVersionMissing) << c.name;
    }
}

TEST(ParseInfotext, EdgeCases) {
    struct Case {
        const char* name;
        std::wstring text;
        InfoFields fields;
    };
    const auto with = [](auto change) {
        InfoFields f = Placeholders();
        change(f);
        return f;
    };
    const Case cases[] = {
        {"empty readme", kBlock + L"/x/unitsU", with([](InfoFields& f) { f.units = L"U"; })},
        {"readme keeps its own line break", L"R\r\n" + kBlock + L"/x/authorA",
         with([](InfoFields& f) {
             f.readme = L"R\r\n";
             f.author = L"A";
         })},
        {"last value keeps trailing line break and blank", kBlock + L"/x/version1.0\r\n ",
         with([](InfoFields& f) { f.version = L"1.0\r\n "; })},
        {"value is cut at a tag prefix", kBlock + L"/x/commenta/x/b",
         with([](InfoFields& f) { f.comment = L"a"; })},
        {"info keeps a leading prefix", kBlock + L"/x/info/x/comment/x/authorA",
         with([](InfoFields& f) {
             f.info = L"/x/comment";
             f.comment = L"";
             f.author = L"A";
         })},
        {"tag directly followed by a prefix is empty", L"/x/units/x/authorA",
         with([](InfoFields& f) {
             f.units = L"";
             f.author = L"A";
         })},
        {"tag at the very end is empty", L"x/x/reqversion",
         with([](InfoFields& f) { f.reqversion = L""; })},
        {"info one character from the end", L"/x/infoQ",
         with([](InfoFields& f) { f.info = L"Q"; })},
        {"tags are case-sensitive", L"/X/unitsU/x/Author", Placeholders()},
        {"neither marker nor tags", L"just text", Placeholders()},
        {"no marker: tags still found, readme empty", L"hand made /x/unitsU",
         with([](InfoFields& f) { f.units = L"U"; })},
        {"first occurrence wins, also inside the readme",
         L"see /x/versionOLD" + kBlock + L"/x/version2", with([](InfoFields& f) {
             f.readme = L"see /x/versionOLD";
             f.version = L"OLD" + kBlock;
         })},
        {"readme cut at the first marker", L"a" + kBlock + L"b" + kBlock + L"/x/unitsU",
         with([](InfoFields& f) {
             f.readme = L"a";
             f.units = L"U";
         })},
        {"text begins with the marker", kMarker + L"\r\n/x/unitsU",
         with([](InfoFields& f) { f.units = L"U"; })},
        {"marker at position 2 keeps the text before it", L"R" + kMarker + L"\r\n/x/unitsU",
         with([](InfoFields& f) {
             f.readme = L"R";
             f.units = L"U";
         })},
        {"marker at position 4", L"\r\nR" + kMarker + L"/x/infoI", with([](InfoFields& f) {
             f.readme = L"\r\nR";
             f.info = L"I";
         })},
        {"marker at position 5 drops four characters", L"abcd" + kMarker, Placeholders()},
        // What the composer writes for a units value "/x": it ends before the last of the
        // overlapping prefixes.
        {"overlapping prefixes", L"/x/x/units/x/x/info", with([](InfoFields& f) {
             f.units = L"/x";
             f.info = L"";
         })},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Parse_infotext(c.text), c.fields) << c.name;
    }
}

TEST(ParseInfotext, RepeatedPrefixesTakeOnePass) {
    std::wstring prefixes;
    for (int i = 0; i < 350000; ++i) {
        prefixes += L"/x/";
    }
    InfoFields expected = Placeholders();
    expected.units = L"";
    expected.reqversion = L"end";
    EXPECT_EQ(Parse_infotext(L"/x/units" + prefixes + L"/x/reqversionend"), expected);

    const std::wstring rules(1 << 20, L'=');
    EXPECT_EQ(Parse_infotext(rules), Placeholders());
    EXPECT_EQ(Parse_infotext(prefixes), Placeholders());

    // A value's end is found once however long the chain of overlapping prefixes behind it.
    std::wstring chain;
    for (int i = 0; i < 500000; ++i) {
        chain += L"/x";
    }
    expected = Placeholders();
    expected.units = chain;
    expected.info = L"I";
    EXPECT_EQ(Parse_infotext(L"/x/units" + chain + L"/x/infoI"), expected);
}

// Field texts without a tag prefix or the marker: whatever the composer writes, the parser
// gives back.
std::wstring Random_text(std::mt19937& random) {
    static const std::wstring pieces[] = {L"a", L"Z", L" ", L"\r\n",     L"\r", L"\n", L"/",
                                          L"x", L"=", L"-", L"No entry", L"/x", L"x/", L"\t"};
    std::wstring text;
    const std::size_t count = random() % 6;
    for (std::size_t i = 0; i < count; ++i) {
        text += pieces[random() % std::size(pieces)];
    }
    return text;
}

bool Usable_value(const std::wstring& text) {
    return text.find(L"/x/") == std::wstring::npos;
}

TEST(ParseInfotext, GivesComposedFieldsBack) {
    std::mt19937 random(7);
    for (int round = 0; round < 4000; ++round) {
        InfoFields fields;
        for (std::wstring* field : {&fields.units, &fields.info, &fields.comment, &fields.author,
                                    &fields.version, &fields.reqversion, &fields.readme}) {
            do {
                *field = Random_text(random);
            } while (!Usable_value(*field));
        }
        const ComposedInfo composed = Compose_infotext(fields);
        if (composed.text.empty()) {
            continue;
        }
        InfoFields expected = fields;
        const InfoFields placeholders = Placeholders();
        for (auto member : {&InfoFields::units, &InfoFields::info, &InfoFields::comment,
                            &InfoFields::author, &InfoFields::version, &InfoFields::reqversion}) {
            if ((expected.*member).empty()) {
                expected.*member = placeholders.*member;
            }
        }
        ASSERT_EQ(Parse_infotext(composed.text), expected);
    }
}

TEST(InfoName, JoinedToTheFolderAsText) {
    const std::wstring sep(1, kPathSeparator);
    struct Case {
        std::wstring folder, name, path;
    };
    const Case cases[] = {
        {L"Addons", L"tank.pbo", L"Addons" + sep + L"tank.txt"},
        {L"Addons", L"X.PBO", L"Addons" + sep + L"X.txt"},
        // A root folder already ends in the separator; another one follows all the same.
        {L"C:" + sep, L"tank.pbo", L"C:" + sep + sep + L"tank.txt"},
        {L"Addons", L"a.b", L"Addons" + sep + L".txt"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Joined_path(c.folder, Info_name(c.name)), c.path);
    }
}

// Found by fuzzing: a value ending in "/x" lost those two characters on reading.
TEST(ParseInfotext, ValuesEndingInPartOfThePrefixComeBack) {
    InfoFields fields = Placeholders();
    fields.units = L")/x";
    fields.info = L"/x";
    fields.author = L"x/x";
    fields.version = L"1.0/";
    fields.reqversion = L"1.9/x";
    EXPECT_EQ(Parse_infotext(Compose_infotext(fields).text), fields);
}

}  // namespace
}  // namespace brelvik
