#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "packing/packcommand.h"
#include "packing/packerentry.h"
#include "platform/codepage.h"
#include "platform/commandline.h"

namespace brelvik {
namespace {

// The cases are written with Windows paths; elsewhere a drive letter becomes the root and
// each backslash a slash, so C:\Addons is /Addons and C:\ is /.
std::wstring Native(std::wstring text) {
#ifndef _WIN32
    for (std::size_t pos = text.find(L"C:"); pos != std::wstring::npos; pos = text.find(L"C:")) {
        text.erase(pos, 2);
    }
    for (wchar_t& c : text) {
        if (c == L'\\') {
            c = L'/';
        }
    }
#endif
    return text;
}

const std::wstring kRarEntry = L"C:\\Tools\\R\\rarpack.exe,0";
const std::wstring kZipEntry = L"C:\\Tools\\Z\\abcdefgh.exe,0";
const std::wstring kNoPacker = L"Packing not possible, check the settings";
const std::wstring kNoAddon = L"No addon selected";
const std::wstring kNoList = L"No list selected, please save current list and try again";

struct Case {
    const char* name;
    PackRequest request;
    std::wstring commandLine;
    std::wstring message = {};
};

PackRequest Single(Packer packer, ArchiveType type, std::wstring folder = L"C:\\Addons",
                   std::wstring file = L"tank.pbo") {
    return {packer, type, false, packer == Packer::WinRar ? kRarEntry : kZipEntry, folder, file,
            L"",    L"",  L""};
}

PackRequest List(Packer packer, ArchiveType type,
                 std::wstring listPath = L"C:\\Rel\\release.txta") {
    return {
        packer,   type, true, packer == Packer::WinRar ? kRarEntry : kZipEntry, L"C:\\Addons", L"",
        listPath, L"",  L""};
}

PackRequest With_entry(PackRequest request, std::wstring entry) {
    request.packerEntry = std::move(entry);
    return request;
}

PackCommand Compose_native(PackRequest request) {
    for (std::wstring* path : {&request.packerEntry, &request.folder, &request.listPath}) {
        *path = Native(*path);
    }
    return Compose_packcommand(request);
}

void Expect_cases(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        const PackCommand command = Compose_native(c.request);
        EXPECT_EQ(command.commandLine, Native(c.commandLine)) << c.name;
        EXPECT_EQ(command.message, c.message) << c.name;
    }
}

TEST(ComposePackcommand, EightFormsAndWorkedExamples) {
    Expect_cases({
        {"WinRAR zip single", Single(Packer::WinRar, ArchiveType::Zip),
         L"C:\\Tools\\R\\rarpack.exe a -o+ -ed -ep -ibck -afzip -m5 C:\\Addons\\tank "
         L"C:\\Addons\\tank.txt C:\\Addons\\tank.pbo"},
        {"WinRAR zip list", List(Packer::WinRar, ArchiveType::Zip),
         L"C:\\Tools\\R\\rarpack.exe a -o+ -ed -ep -ibck -afzip -m5 C:\\Rel\\release.zip "
         L"@C:\\Rel\\release.txta"},
        {"WinRAR rar single", Single(Packer::WinRar, ArchiveType::Rar),
         L"C:\\Tools\\R\\rarpack.exe a -o+ -ed -ep -ibck -afrar -m5 C:\\Addons\\tank "
         L"C:\\Addons\\tank.txt C:\\Addons\\tank.pbo"},
        {"WinRAR rar list", List(Packer::WinRar, ArchiveType::Rar),
         L"C:\\Tools\\R\\rarpack.exe a -o+ -ed -ep -ibck -afrar -m5 C:\\Rel\\release.rar "
         L"@C:\\Rel\\release.txta"},
        {"WinRAR sfx single", Single(Packer::WinRar, ArchiveType::Sfx),
         L"C:\\Tools\\R\\rarpack.exe s C:\\Addons\\tank.rar"},
        {"WinRAR sfx list", List(Packer::WinRar, ArchiveType::Sfx),
         L"C:\\Tools\\R\\rarpack.exe s C:\\Rel\\release.rar"},
        {"WinZip single, type ignored", Single(Packer::WinZip, ArchiveType::Rar),
         L"C:\\Tools\\Z\\wzzip.exe -ex C:\\Addons\\tank.zip C:\\Addons\\tank.pbo "
         L"C:\\Addons\\tank.txt"},
        {"WinZip list", List(Packer::WinZip, ArchiveType::Sfx),
         L"C:\\Tools\\Z\\wzzip.exe -ex C:\\Rel\\release.zip @C:\\Rel\\release.txta"},
        {"list name without extension", List(Packer::WinZip, ArchiveType::Zip, L"C:\\Rel\\mylist"),
         L"C:\\Tools\\Z\\wzzip.exe -ex C:\\Rel\\myzip @C:\\Rel\\mylist"},
        {"upper-case add-on name",
         Single(Packer::WinRar, ArchiveType::Sfx, L"C:\\Addons", L"TANK.PBO"),
         L"C:\\Tools\\R\\rarpack.exe s C:\\Addons\\TANK.rar"},
        {"root folder doubles the separator", Single(Packer::WinRar, ArchiveType::Zip, L"C:\\"),
         L"C:\\Tools\\R\\rarpack.exe a -o+ -ed -ep -ibck -afzip -m5 C:\\\\tank C:\\\\tank.txt "
         L"C:\\\\tank.pbo"},
    });
}

TEST(ComposePackcommand, MessagesInTheirOrder) {
    PackRequest none = Single(Packer::None, ArchiveType::Zip);
    PackRequest noFile = Single(Packer::WinRar, ArchiveType::Zip, L"C:\\Addons", L"");
    PackRequest noList = List(Packer::WinZip, ArchiveType::Zip, L"");
    Expect_cases({
        {"no packer chosen", none, L"", kNoPacker},
        {"WinRAR, nothing selected", noFile, L"", kNoAddon},
        {"WinZip, nothing selected", Single(Packer::WinZip, ArchiveType::Zip, L"C:\\Addons", L""),
         L"", kNoAddon},
        {"WinRAR, no list saved", List(Packer::WinRar, ArchiveType::Rar, L""), L"", kNoList},
        {"WinZip, no list saved", noList, L"", kNoList},
        {"list mode ignores the file selection", With_entry(noList, kZipEntry), L"", kNoList},
        // The entry is read first, so an unusable one wins over a missing add-on or list.
        {"unusable WinRAR entry before add-on test", With_entry(noFile, L""), L"", kNoPacker},
        {"unusable WinZip entry before list test", With_entry(noList, L"wzzip.exe,0"), L"",
         kNoPacker},
    });
    // Where a settings file holds a chosen packer's unusable entry, the message says where it
    // is; with no packer chosen there is nothing in it to mend.
    const std::wstring settings = L"/home/u/.config/brelvik/registry.reg";
    for (PackRequest* request : {&none, &noFile}) {
        request->settingsPath = settings;
    }
    EXPECT_EQ(Compose_packcommand(none).message, kNoPacker);
    EXPECT_EQ(Compose_packcommand(With_entry(noFile, L"")).message, kNoPacker + L"\n" + settings);
}

// Brelvik's own packer takes WinZip's command line where WinZip's entry is unusable; a usable
// entry comes first, and WinRAR's place it never takes.
TEST(ComposePackcommand, OwnPackerInWinZipsPlace) {
    const std::wstring own = L"C:\\Rel 1\\brelvik-pack.exe";
    auto with_own = [&own](PackRequest request, std::wstring entry) {
        request.ownPacker = Native(own);
        return With_entry(std::move(request), std::move(entry));
    };
    const std::wstring zipList = L" -ex C:\\Rel\\release.zip @C:\\Rel\\release.txta";
    Expect_cases({
        {"no WinZip entry", with_own(List(Packer::WinZip, ArchiveType::Sfx), L""),
         L"\"" + own + L"\"" + zipList},
        {"WinZip entry without a folder",
         with_own(Single(Packer::WinZip, ArchiveType::Zip), L"abcdefgh.exe,0"),
         L"\"" + own + L"\" -ex C:\\Addons\\tank.zip C:\\Addons\\tank.pbo C:\\Addons\\tank.txt"},
        {"registered WinZip first", with_own(List(Packer::WinZip, ArchiveType::Zip), kZipEntry),
         L"C:\\Tools\\Z\\wzzip.exe" + zipList},
        {"not for WinRAR", with_own(List(Packer::WinRar, ArchiveType::Zip), L""), L"", kNoPacker},
    });
}

TEST(PackerEntry, NamesOwnPacker) {
    struct EntryCase {
        const wchar_t* entry;
        bool own;
    } cases[] = {
        {L"/usr/libexec/brelvik/brelvik-pack,0", true},
        {L"\"C:\\Brelvik\\BRELVIK-PACK.EXE\",0", true},
        {L"brelvik-pack", true},
        {L"/opt/z/wzzip.exe,0", false},
        {L"/opt/brelvik-pack/rar,0", false},
        {L"/opt/brelvik-packer,0", false},
        {L"", false},
    };
    for (const EntryCase& c : cases) {
        EXPECT_EQ(Names_own_packer(Native(c.entry)), c.own) << To_utf8(c.entry);
    }
}

TEST(ComposePackcommand, PackerEntriesAreParsed) {
    const PackRequest rar = Single(Packer::WinRar, ArchiveType::Sfx);
    const PackRequest zip = List(Packer::WinZip, ArchiveType::Zip);
    const std::wstring rarLine = L"C:\\Tools\\R\\rarpack.exe s C:\\Addons\\tank.rar";
    const std::wstring zipLine =
        L"C:\\Tools\\Z\\wzzip.exe -ex C:\\Rel\\release.zip @C:\\Rel\\release.txta";
    Expect_cases({
        {"two-digit index", With_entry(rar, L"C:\\Tools\\R\\rarpack.exe,12"), rarLine},
        {"negative index", With_entry(rar, L"C:\\Tools\\R\\rarpack.exe,-101"), rarLine},
        {"no index", With_entry(rar, L"C:\\Tools\\R\\rarpack.exe"), rarLine},
        {"quoted, index behind", With_entry(rar, L"\"C:\\Tools\\R\\rarpack.exe\",0"), rarLine},
        {"quoted with index", With_entry(rar, L"\"C:\\Tools\\R\\rarpack.exe,0\""), rarLine},
        {"blanks around", With_entry(rar, L" C:\\Tools\\R\\rarpack.exe ,0 "), rarLine},
        {"WinZip quoted", With_entry(zip, L"\"C:\\Tools\\Z\\WINZIP32.EXE\",-2"), zipLine},
        {"WinZip long name", With_entry(zip, L"C:\\Tools\\Z\\winzip64.exe,0"), zipLine},
        {"comma in the name stays", With_entry(rar, L"C:\\Tools\\R\\a,b"),
         L"C:\\Tools\\R\\a,b s C:\\Addons\\tank.rar"},
        {"empty WinRAR entry", With_entry(rar, L""), L"", kNoPacker},
        {"index alone", With_entry(rar, L",0"), L"", kNoPacker},
        {"empty quotes", With_entry(rar, L"\"\",0"), L"", kNoPacker},
        {"a folder is no program", With_entry(rar, L"C:\\Tools\\R\\,0"), L"", kNoPacker},
        {"WinZip entry without a folder", With_entry(zip, L"abcdefgh.exe,0"), L"", kNoPacker},
        {"short WinZip entry", With_entry(zip, L"C:\\x,0"),
         L"C:\\wzzip.exe -ex C:\\Rel\\release.zip @C:\\Rel\\release.txta"},
    });
    // Entries with "/" paths, as a system without the registry keeps them.
    EXPECT_EQ(Compose_native(With_entry(rar, L"/opt/r/rarpack,0")).commandLine,
              L"/opt/r/rarpack s " + Native(L"C:\\Addons\\tank.rar"));
    EXPECT_EQ(
        Split_commandline(Compose_native(With_entry(zip, L"/opt/z/abcdefgh.exe,0")).commandLine)
            .front(),
        L"/opt/z/wzzip.exe");
}

TEST(ComposePackcommand, EveryPathReachesThePackerWhole) {
    struct PathCase {
        const char* name;
        PackRequest request;
        std::vector<std::wstring> arguments;
    };
    const std::wstring spaced = L"C:\\My Addons";
    const std::wstring base = spaced + L"\\tank";
    const std::wstring rar = L"C:\\Tools\\R\\rarpack.exe";
    const std::wstring zip = L"C:\\Program Files\\Z\\wzzip.exe";
    const PathCase cases[] = {
        {"folder with a space",
         Single(Packer::WinRar, ArchiveType::Rar, spaced),
         {rar, L"a", L"-o+", L"-ed", L"-ep", L"-ibck", L"-afrar", L"-m5", base, base + L".txt",
          base + L".pbo"}},
        {"program and list with spaces",
         With_entry(List(Packer::WinZip, ArchiveType::Zip, L"C:\\a b\\x.txta"),
                    L"C:\\Program Files\\Z\\WINZIP32.EXE,0"),
         {zip, L"-ex", L"C:\\a b\\x.zip", L"@C:\\a b\\x.txta"}},
        {"tab and double quote",
         Single(Packer::WinRar, ArchiveType::Sfx, L"C:\\a\tb\"c"),
         {rar, L"s", L"C:\\a\tb\"c\\tank.rar"}},
    };
    for (const PathCase& c : cases) {
        std::vector<std::wstring> expected;
        for (const std::wstring& argument : c.arguments) {
            expected.push_back(Native(argument));
        }
        EXPECT_EQ(Split_commandline(Compose_native(c.request).commandLine), expected) << c.name;
    }
    // The list argument is quoted whole, "@" included.
    const PackRequest spacedList = List(Packer::WinRar, ArchiveType::Zip, L"C:\\a b\\x.txta");
    EXPECT_TRUE(Compose_native(spacedList).commandLine.ends_with(Native(L"\"@C:\\a b\\x.txta\"")));
}

}  // namespace
}  // namespace brelvik
