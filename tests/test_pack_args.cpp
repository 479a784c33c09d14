#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "packer/memberlist.h"
#include "packer/membername.h"
#include "packer/packjob.h"
#include "packer/reportmode.h"

namespace brelvik {
namespace {

using Strings = std::vector<std::wstring>;

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

std::string Joined(const Strings& arguments) {
    std::string line;
    for (const std::wstring& argument : arguments) {
        line += Narrow(argument) + " ";
    }
    return line;
}

MemberArgument File(const wchar_t* path) {
    return {path, false};
}
MemberArgument List(const wchar_t* path) {
    return {path, true};
}

TEST(ParsePackArguments, UnderstandsBothPackersZipForms) {
    struct Case {
        Strings arguments;
        PackJob job;
    };
    const Case cases[] = {
        {{L"a", L"-o+", L"-ed", L"-ep", L"-ibck", L"-afzip", L"-m5", L"/a b/tank", L"/a b/tank.txt",
          L"/a b/tank.pbo"},
         {L"/a b/tank.zip", 9, {File(L"/a b/tank.txt"), File(L"/a b/tank.pbo")}}},
        {{L"a", L"-o+", L"-ed", L"-ep", L"-ibck", L"-afzip", L"-m5", L"/rel/release.zip",
          L"@/rel/release.txta"},
         {L"/rel/release.zip", 9, {List(L"/rel/release.txta")}}},
        // A list saved without the .txta extension leaves a name without one.
        {{L"a", L"-afzip", L"-m5", L"/rel/myzip", L"@/rel/mylist"},
         {L"/rel/myzip.zip", 9, {List(L"/rel/mylist")}}},
        // A zip archive never keeps a name that says it is something else.
        {{L"a", L"-afzip", L"/r/tank.v2", L"/r/tank.v2.pbo"},
         {L"/r/tank.v2.zip", 6, {File(L"/r/tank.v2.pbo")}}},
        {{L"a", L"-AFZIP", L"-M0", L"/r/A.ZIP", L"x"}, {L"/r/A.ZIP", 0, {File(L"x")}}},
        {{L"a", L"-m3", L"/r/a.zip", L"x"}, {L"/r/a.zip", 6, {File(L"x")}}},
        // Behind the archive name everything is a member, also what looks like a switch.
        {{L"a", L"-afzip", L"/r/a", L"-m1", L"@", L"@l"},
         {L"/r/a.zip", 6, {File(L"-m1"), File(L"@"), List(L"l")}}},
        {{L"-ex", L"/a b/tank.zip", L"/a b/tank.pbo", L"/a b/tank.txt"},
         {L"/a b/tank.zip", 9, {File(L"/a b/tank.pbo"), File(L"/a b/tank.txt")}}},
        {{L"-ex", L"/rel/release.zip", L"@/rel/release.txta"},
         {L"/rel/release.zip", 9, {List(L"/rel/release.txta")}}},
        {{L"-a", L"/rel/out", L"x"}, {L"/rel/out.zip", 6, {File(L"x")}}},
        {{L"-a", L"-e0", L"/rel/out.zip", L"x"}, {L"/rel/out.zip", 0, {File(L"x")}}},
    };
    for (const Case& c : cases) {
        const ParsedArguments parsed = Parse_pack_arguments(c.arguments);
        ASSERT_TRUE(std::holds_alternative<PackJob>(parsed))
            << Joined(c.arguments) << "\n"
            << Narrow(std::get<std::wstring>(parsed));
        EXPECT_EQ(std::get<PackJob>(parsed), c.job) << Joined(c.arguments);
    }
}

TEST(ParsePackArguments, RefusesRarAndExplainsUsageErrors) {
    struct Case {
        Strings arguments;
        std::wstring message;  // a part of it
    };
    const Case cases[] = {
        {{L"a", L"-o+", L"-afrar", L"-m5", L"/r/tank", L"/r/tank.txt"},
         L"Cannot make a RAR archive: no RAR writer exists on this platform. Choose Zip"},
        {{L"a", L"-afrar", L"/r/release.rar", L"@/r/release.txta"}, L"RAR archive"},
        {{L"a", L"-m5", L"/r/tank", L"/r/tank.txt"}, L"RAR archive"},  // rar is the default
        {{L"s", L"/r/tank.rar"}, L"self-extracting archive: no RAR writer"},
        {{L"S"}, L"self-extracting"},
        {{}, L"Usage:"},
        {{L"x", L"/r/a.zip", L"b"}, L"Unknown command x."},
        {{L"a", L"-afzip", L"-q", L"/r/a", L"b"}, L"Unknown switch -q."},
        {{L"a", L"-m9", L"/r/a.zip", L"b"}, L"Unknown switch -m9."},
        {{L"-ex", L"-v", L"/r/a.zip", L"b"}, L"Unknown switch -v."},
        {{L"a", L"-afzip"}, L"No archive is named."},
        {{L"-ex"}, L"No archive is named."},
        {{L"-ex", L"", L"b"}, L"No archive is named."},
        {{L"a", L"-afzip", L"/r/a"}, L"No files to pack are named."},
        {{L"-ex", L"/r/a.zip"}, L"No files to pack are named."},
    };
    for (const Case& c : cases) {
        const ParsedArguments parsed = Parse_pack_arguments(c.arguments);
        ASSERT_TRUE(std::holds_alternative<std::wstring>(parsed)) << Joined(c.arguments);
        EXPECT_NE(std::get<std::wstring>(parsed).find(c.message), std::wstring::npos)
            << Joined(c.arguments) << "\n"
            << Narrow(std::get<std::wstring>(parsed));
    }
}

TEST(DistinctMembers, TheLaterOfTwoEqualNamesWins) {
    using Dropped = std::vector<std::pair<std::wstring, std::wstring>>;
    struct Case {
        Strings paths, kept;
        Dropped dropped;  // path, replaced by
    };
    const Case cases[] = {
        {{L"/a/x", L"/b/y"}, {L"/a/x", L"/b/y"}, {}},
        {{L"/a/x", L"/b/y", L"/c/X"}, {L"/b/y", L"/c/X"}, {{L"/a/x", L"/c/X"}}},
        {{L"/a/x", L"/b/x", L"/c/x"}, {L"/c/x"}, {{L"/a/x", L"/c/x"}, {L"/b/x", L"/c/x"}}},
        // The same file named twice is packed once and is no conflict.
        {{L"/a/x", L"/b/y", L"/a/x"}, {L"/b/y", L"/a/x"}, {}},
        // Names are compared as a Windows folder compares them, beyond ASCII too: by upper case,
        // so that long s, dotless i and final sigma meet their letters; sharp s is no "SS".
        {{L"/a/\u00e9", L"/b/\u00c9"}, {L"/b/\u00c9"}, {{L"/a/\u00e9", L"/b/\u00c9"}}},
        {{L"/a/\u017f", L"/b/s"}, {L"/b/s"}, {{L"/a/\u017f", L"/b/s"}}},
        {{L"/a/\u0131", L"/b/I"}, {L"/b/I"}, {{L"/a/\u0131", L"/b/I"}}},
        {{L"/a/\u03c2", L"/b/\u03c3"}, {L"/b/\u03c3"}, {{L"/a/\u03c2", L"/b/\u03c3"}}},
        {{L"/a/\u00df", L"/b/ss"}, {L"/a/\u00df", L"/b/ss"}, {}},
    };
    for (const Case& c : cases) {
        const DistinctMembers distinct = Distinct_members(c.paths);
        Dropped dropped;
        for (const DistinctMembers::Dropped& d : distinct.dropped) {
            dropped.emplace_back(d.path, d.replacedBy);
        }
        EXPECT_EQ(distinct.kept, c.kept) << Joined(c.paths);
        EXPECT_EQ(dropped, c.dropped) << Joined(c.paths);
    }
}

// A list's relative entries lie in the list's folder; an entry of a whole path stays as it is.
TEST(JoinedPath, TakesWholePathsAsTheyAre) {
#ifdef _WIN32
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"tank.pbo", L"C:\\a\\tank.pbo"},
        {L"x\\tank.pbo", L"C:\\a\\x\\tank.pbo"},
        {L"D:\\b\\tank.pbo", L"D:\\b\\tank.pbo"},
        {L"D:tank.pbo", L"D:tank.pbo"},
        {L"\\\\srv\\s\\t.pbo", L"\\\\srv\\s\\t.pbo"},
        {L"/b/tank.pbo", L"/b/tank.pbo"},
    };
    const std::wstring folder = L"C:\\a";
#else
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"tank.pbo", L"/a/tank.pbo"}, {L"/b/tank.pbo", L"/b/tank.pbo"}, {L"C:x", L"/a/C:x"}};
    const std::wstring folder = L"/a";
#endif
    for (const auto& [entry, path] : cases) {
        EXPECT_EQ(Listed_path(folder, entry), path) << Narrow(entry);
    }
}

// Only what a Windows folder cannot hold is refused; names that merely resemble it are stored.
TEST(UnstorableReason, RefusesWhatAWindowsFolderCannotHold) {
    const std::pair<std::wstring, bool> cases[] = {
        {L"tank.pbo", true},
        {L"CONSOLE.txt", true},
        {L"com10", true},
        {L".hidden", true},
        {L"a..b", true},
        {L"\u00e9t\u00e9.txt", true},
        {L"..\\evil.bat", false},
        {L"C:x.dll", false},
        {L"a*b", false},
        {L"a\tb", false},
        {L"tank.", false},
        {L"tank ", false},
        {L"con", false},
        {L"NUL.txt", false},
        {L"Com1.tar.gz", false},
        {L"lpt9 .txt", false},
        {L"", false},
        {L"COM0", false},
        {L"lpt0.txt", false},
        {L"COM\u00b9", false},
        {L"lpt\u00b3.x", false},
        {L"CONIN$", false},
        {L"conout$.log", false},
        {L"COM\u2074", true},
    };
    for (const auto& [name, storable] : cases) {
        EXPECT_EQ(Unstorable_reason(name).empty(), storable) << Narrow(name);
    }
}

TEST(ReportInWindow, OnlyWhereADisplayCanShowIt) {
    using Variables = std::map<std::string, std::string>;
    const std::pair<Variables, bool> cases[] = {
        {{}, false},
        {{{"DISPLAY", ":0"}}, true},
        {{{"WAYLAND_DISPLAY", "wayland-0"}}, true},
        {{{"DISPLAY", ""}}, false},
        {{{"QT_QPA_PLATFORM", "xcb"}}, true},
        {{{"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", "offscreen"}}, false},
        {{{"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", "minimal"}}, false},
        {{{"DISPLAY", ":0"}, {"BRELVIK_PACK_NO_WINDOW", "1"}}, false},
        {{{"DISPLAY", ":0"}, {"BRELVIK_PACK_NO_WINDOW", "0"}}, true},
    };
    for (const auto& [variables, window] : cases) {
        const auto lookup = [&variables](const char* name) -> const char* {
            const auto found = variables.find(name);
            return found == variables.end() ? nullptr : found->second.c_str();
        };
        std::string described;
        for (const auto& [name, value] : variables) {
            described += name + "=" + value + " ";
        }
        EXPECT_EQ(Report_in_window(lookup), window) << described;
    }
}

}  // namespace
}  // namespace brelvik
