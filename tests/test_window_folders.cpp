// The drives and folder listings behind the browser lists, and the dialogs' filters.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "app/qt/desktop_qt.h"
#include "platform/collation.h"
#include "platform/folders.h"
#include "platform/platform_error.h"
#include "tests/support/temp_folder.h"

namespace brelvik::test {
namespace {

TEST(UserVolumes, KeepOnlyTheVolumesAUserWorksWith) {
    const std::string table =
        "/dev/sda1 / ext4 rw 0 0\n"
        "proc /proc proc rw 0 0\n"
        "sysfs /sys sysfs rw 0 0\n"
        "cgroup2 /sys/fs/cgroup cgroup2 rw 0 0\n"
        "devpts /dev/pts devpts rw 0 0\n"
        "tmpfs /run tmpfs rw 0 0\n"
        "tmpfs /run/user/1000 tmpfs rw 0 0\n"
        "overlay /var/lib/docker/overlay2/x/merged overlay rw 0 0\n"
        "/dev/sda2 /etc/hosts ext4 rw 0 0\n"
        "/dev/sda3 /home ext4 rw 0 0\n"
        "/dev/sdb1 /media/usb\\040stick vfat rw 0 0\n"
        "/dev/sdc1 /run/media/me/CARD exfat rw 0 0\n"
        "/dev/sda3 /home ext4 rw 0 0\n"
        "broken line\n";
    EXPECT_EQ(User_volumes(table),
              (std::vector<std::string>{"/home", "/media/usb stick", "/run/media/me/CARD"}));
}

TEST(DriveOf, PicksTheLongestDriveThatStartsThePathAtASeparator) {
    const std::vector<std::wstring> drives = {L"/", L"/home", L"/home/me/data", L"c:"};
    struct Case {
        const wchar_t* path;
        const wchar_t* drive;
    } cases[] = {{L"/home/me", L"/home"}, {L"/home", L"/home"},
                 {L"/homer", L"/"},       {L"/home/me/data/x", L"/home/me/data"},
                 {L"C:\\Mods", L"c:"},    {L"relative", L""}};
    for (const Case& c : cases) {
        EXPECT_EQ(Drive_of(c.path, drives), c.drive) << c.path;
    }
}

TEST(ListFiles, GivesVisibleAddonsInAnyLetterCaseInAlphabeticalOrder) {
    TempFolder folder;
    for (const char* name : {"b.pbo", "A.PBO", "c.Pbo", "d.txt", ".hidden.pbo", "pbo"}) {
        std::ofstream(folder / name) << "x";
    }
    std::filesystem::create_directory(folder / "folder.pbo");
    std::filesystem::create_symlink(folder / "b.pbo", folder / "link.pbo");
    std::filesystem::create_symlink(folder / "gone.pbo", folder / "dangling.pbo");
    const std::wstring path = folder.Path().wstring();
    EXPECT_EQ(List_files(path, L".pbo"),
              (std::vector<std::wstring>{L"A.PBO", L"b.pbo", L"c.Pbo", L"link.pbo"}));
    EXPECT_EQ(List_folder(path, L"").subfolders, std::vector<std::wstring>{L"folder.pbo"});
}

TEST(SortIgnoringCase, OrdersAsTheSortKeysDoAndKeepsEqualNamesInTheirOrder) {
    // Characters of each length a character takes in UTF-8, a byte kept from a name in another
    // encoding, prefixes, and names equal but for letter case.
    std::vector<std::wstring> names = {L"b",     L"\U0001F600", L"A2", L"\xDC80", L"\xE9b",
                                       L"a",     L"\x4E2D",     L"B",  L"ab",     L"\x7FF",
                                       L"\x800", L"Z_",         L"z",  L"\xFFFF", L"\x80",
                                       L"\x7F",  L"A",          L"_",  L"\xE9",   L"aB"};
    std::vector<std::wstring> expected = names;
    std::stable_sort(
        expected.begin(), expected.end(),
        [](const std::wstring& a, const std::wstring& b) { return Sort_key(a) < Sort_key(b); });
    Sort_ignoring_case(names);
    EXPECT_EQ(names, expected);
}

TEST(ListFiles, AMissingFolderIsAnErrorNamingIt) {
    TempFolder folder;
    const std::wstring gone = (folder / "gone").wstring();
    for (auto list : {+[](const std::wstring& f) { List_files(f, L".pbo"); },
                      +[](const std::wstring& f) { List_folder(f, L""); }}) {
        try {
            list(gone);
            ADD_FAILURE() << "no error";
        } catch (const PlatformError& error) {
            EXPECT_EQ(error.Path(), gone);
            EXPECT_FALSE(error.System_text().empty());
        }
    }
}

TEST(QtFilter, TurnsDescriptionPatternPairsIntoQtsForm) {
    struct Case {
        const wchar_t* filter;
        const char* qt;
    } cases[] = {
        {L"Addonlist (*.txta)|*.txta", "Addonlist (*.txta)"},
        {L"All files (*.*)|*.*", "All files (*)"},  // every file, with or without a dot
        {L"Add-ons|*.pbo;*.txt|Lists|*.txta", "Add-ons (*.pbo *.txt);;Lists (*.txta)"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Qt_filter(c.filter).toStdString(), c.qt);
    }
}

}  // namespace
}  // namespace brelvik::test
