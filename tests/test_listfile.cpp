#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "addonlist/addonlist.h"
#include "addonlist/listfile.h"

namespace brelvik {
namespace {

using Strings = std::vector<std::wstring>;

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

TEST(Listfile, SavingALoadedListAgainChangesNothing) {
    const std::wstring text =
        L"C:\\m\\tank.pbo\r\nC:\\m\\tank.txt\r\n/others/\r\nC:\\m\\readme.doc";
    const std::wstring content =
        L"C:\\m\\tank.pbo\r\nC:\\m\\tank.txt\r\n\r\n/others/\r\nC:\\m\\readme.doc";
    EXPECT_EQ(Compose_listfile(text), content);

    const std::wstring loaded = Listfile_text(content);
    EXPECT_EQ(loaded, content);
    EXPECT_EQ(Split_addonlist(loaded).addons, Split_addonlist(text).addons);
    EXPECT_EQ(Split_addonlist(loaded).others, Split_addonlist(text).others);
    EXPECT_EQ(Compose_listfile(loaded), content);
}

// What the window shows and the packer packs, from one reader: a bare LF is a line break only in
// a file without CR LF, and a line that still holds a line break is refused by both.
TEST(Listfile, TheWindowAndThePackerReadTheSameFiles) {
    struct Case {
        std::wstring content;
        Strings files;
        std::wstring unlistable;  // empty when every entry can stand on a line
    };
    const Case cases[] = {
        {L"", {}, L""},
        {L"A\r\nB", {L"A", L"B"}, L""},
        {L"P\r\nT\r\n", {L"P", L"T"}, L""},
        {L"A\r\n\r\n\r\n/others/\r\nC\r\nD", {L"A", L"C", L"D"}, L""},
        {L"\r\n/others/\r\nC", {L"C"}, L""},
        {L"A\nB\n/others/\nC\n", {L"A", L"B", L"C"}, L""},
        {L"x\n/tmp/T/secret.txt\r\n/m/y.txt",
         {L"x\n/tmp/T/secret.txt", L"/m/y.txt"},
         L"x\n/tmp/T/secret.txt"},
        {L"A\rB\nC", {L"A\rB", L"C"}, L"A\rB"},
        // Only one marker counts; another marker line is a file name like any other.
        {L"\r\n/others/\r\nC\r\n/others/", {L"C", L"/others/"}, L""},
        {L"/home/me/others/readme.txt\r\n/others/x\r\n /others/",
         {L"/home/me/others/readme.txt", L"/others/x", L" /others/"},
         L""},
    };
    for (const Case& c : cases) {
        const std::wstring text = Listfile_text(c.content);
        EXPECT_EQ(Listed_files(text), c.files) << Narrow(c.content);
        EXPECT_EQ(Unlistable_entry(Split_addonlist(text)).value_or(L""), c.unlistable)
            << Narrow(c.content);
    }
}

}  // namespace
}  // namespace brelvik
