#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "packing/packerentry.h"
#include "platform/regaccess.h"
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
    void Install_packer() {
        std::ofstream(program_) << "#!/bin/sh\n";
        fs::permissions(program_, fs::perms::owner_all);
        fs::create_symlink("brelvik-pack", folder_ / "bin" / "wzzip.exe");
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
    Offer_standin_packer(store_, folder_ / "bin");

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
    Offer_standin_packer(store_, folder_ / "bin");  // not installed
    EXPECT_EQ(Entry(kRar), L"");
    EXPECT_EQ(Entry(kZip), L"");

    Install_packer();
    std::ofstream(store_, std::ios::app) << "\n[HKEY_CLASSES_ROOT\\WinZip\\DefaultIcon]\n"
                                            "@=\"/opt/z/wz.exe,0\"\n";
    const std::string before = Slurp(store_);
    Offer_standin_packer(store_, folder_ / "bin");
    EXPECT_EQ(Slurp(store_), before);
    EXPECT_EQ(Entry(kZip), L"/opt/z/wz.exe,0");
}

}  // namespace
}  // namespace brelvik
