#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "build_info.h"
#include "packing/packerentry.h"
#include "platform/codepage.h"
#include "platform/regaccess.h"
#include "platform/settings_store.h"
#include "platform/standin_packer.h"
#include "tests/support/temp_folder.h"

namespace brelvik {
namespace {

namespace fs = std::filesystem;

const std::wstring kRar = L"WinRAR\\DefaultIcon";
const std::wstring kZip = L"WinZip\\DefaultIcon";

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class StandinPacker : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directory(folder_ / "bin");
        RegAccess{store_};  // a first start creates the store
    }
    void Install_packer() { Install_packer_in(folder_ / "bin"); }
    static fs::path Install_packer_in(const fs::path& folder) {
        fs::create_directories(folder);
        std::ofstream(folder / "brelvik-pack") << "#!/bin/sh\n";
        fs::permissions(folder / "brelvik-pack", fs::perms::owner_all);
        fs::create_symlink("brelvik-pack", folder / "wzzip.exe");
        return folder / "brelvik-pack";
    }
    void Write_entries(const std::wstring& rar, const std::wstring& zip) {
        Store store = New_store({L"HKEY_CLASSES_ROOT\\" + kRar, L"HKEY_CLASSES_ROOT\\" + kZip});
        Set_value(store, L"HKEY_CLASSES_ROOT\\" + kRar, L"", {StoreValue::Kind::String, rar, 0});
        Set_value(store, L"HKEY_CLASSES_ROOT\\" + kZip, L"", {StoreValue::Kind::String, zip, 0});
        std::ofstream(store_) << Serialize_store(store);
    }
    std::wstring Entry(const std::wstring& key) {
        return Value_text(RegAccess(store_).Read_setting(kHkeyClassesRoot, key, L""));
    }

    test::TempFolder folder_;
    fs::path store_ = folder_ / "registry.reg";
    fs::path program_ = folder_ / "bin" / "brelvik-pack";
};

TEST_F(StandinPacker, BothEntriesLeadTheCommandLinesToIt) {
    Install_packer();
    Offer_standin_packer(store_, folder_ / "bin", Packer_program);

    EXPECT_EQ(Packer_program(Entry(kRar)), program_.wstring());
    const auto zipFolder = Packer_folder(Entry(kZip));
    ASSERT_TRUE(zipFolder.has_value());
    EXPECT_TRUE(fs::exists(fs::path(*zipFolder + L"wzzip.exe")));
    // The last-folder key of the first start is still there, and still takes writes.
    RegAccess(store_).Write_setting(kHkeyLocalMachine, L"SOFTWARE\\Quorvane\\Veldrun", L"VDRFC",
                                    std::wstring(L"/m"), kRegSz);
    EXPECT_EQ(Value_text(RegAccess(store_).Read_setting(kHkeyLocalMachine,
                                                        L"SOFTWARE\\Quorvane\\Veldrun", L"VDRFC")),
              L"/m");
}

TEST_F(StandinPacker, LeavesTheStoreAloneWhenItHasNothingToOfferOrAUserWroteEntries) {
    Offer_standin_packer(store_, folder_ / "bin", Packer_program);  // not installed
    EXPECT_EQ(Entry(kRar), L"");
    EXPECT_EQ(Entry(kZip), L"");

    Install_packer();
    std::ofstream(store_, std::ios::app) << "\n[HKEY_CLASSES_ROOT\\WinZip\\DefaultIcon]\n"
                                            "@=\"/opt/z/wz.exe,0\"\n";
    const std::string before = Slurp(store_);
    Offer_standin_packer(store_, folder_ / "bin", Packer_program);
    EXPECT_EQ(Slurp(store_), before);
    EXPECT_EQ(Entry(kZip), L"/opt/z/wz.exe,0");
}

TEST_F(StandinPacker, TheInstallsPrivateFolderIsSearchedToo) {
    const fs::path installed =
        Install_packer_in(folder_ / "bin" / BRELVIK_PRIVATE_FOLDER).lexically_normal();
    Offer_standin_packer(store_, folder_ / "bin", Packer_program);
    EXPECT_EQ(Packer_program(Entry(kRar)), installed.wstring());
}

// A removed build folder leaves entries naming its archiver; they lead to the one found now.
TEST_F(StandinPacker, EntriesNamingAVanishedStandinAreRepairedOthersKept) {
    Install_packer();
    const std::wstring now = program_.wstring() + L",0";
    const std::wstring gone = (folder_ / "removed-build" / "bin").wstring();
    const std::wstring other = Install_packer_in(folder_ / "other").wstring() + L",0";
    const struct Case {
        std::wstring rar, zip, rarAfter, zipAfter;
    } cases[] = {
        {gone + L"/brelvik-pack,0", gone + L"/wzzip.exe,0", now, now},
        {L"\"" + gone + L"/brelvik-pack\",0", L"/opt/z/wz.exe,0", now, L"/opt/z/wz.exe,0"},
        {other, L"/opt/z/winzip32.exe", other, L"/opt/z/winzip32.exe"},
        {L"/opt/r/rar,0", L"", L"/opt/r/rar,0", L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(To_utf8(c.rar + L" | " + c.zip));
        Write_entries(c.rar, c.zip);
        Offer_standin_packer(store_, folder_ / "bin", Packer_program);
        EXPECT_EQ(Entry(kRar), c.rarAfter);
        EXPECT_EQ(Entry(kZip), c.zipAfter);
    }
}

}  // namespace
}  // namespace brelvik
