#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <sddl.h>

#include <string>

#include "tests/regaccess_fixture.h"

// What only the Windows registry shows: the bytes as stored, and the rights a key is opened
// with.

namespace brelvik {
namespace {

using namespace std::string_literals;

class RegistryTest : public ::testing::Test {
  protected:
    // The data and type the registry holds, through the ANSI interface.
    std::string Stored(const std::wstring& name, DWORD& type) {
        std::string data(64, '\0');
        DWORD size = static_cast<DWORD>(data.size());
        const std::string ansiName(name.begin(), name.end());
        const std::string path(key_.begin(), key_.end());
        EXPECT_EQ(RegGetValueA(HKEY_LOCAL_MACHINE, path.c_str(), ansiName.c_str(),
                               RRF_RT_ANY | RRF_NOEXPAND, &type, data.data(), &size),
                  ERROR_SUCCESS);
        data.resize(size);
        return data;
    }

    // Grants everyone exactly these rights on the key, and nothing else.
    bool Restrict(const wchar_t* sddl) {
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1,
                                                                  &descriptor, nullptr)) {
            return false;
        }
        HKEY key = nullptr;
        bool done = RegOpenKeyExW(HKEY_LOCAL_MACHINE, key_.c_str(), 0, WRITE_DAC, &key) == 0;
        done = done && RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor) == 0;
        RegCloseKey(key);
        LocalFree(descriptor);
        return done;
    }

    bool Opens_with_all_rights() {
        HKEY key = nullptr;
        const std::string path(key_.begin(), key_.end());
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, 0x3F, &key) != ERROR_SUCCESS) {
            return false;
        }
        RegCloseKey(key);
        return true;
    }

    test::RegFixture fixture_;
    const std::wstring key_ = fixture_.Key(kHkeyLocalMachine, L"Quorvane\\Veldrun");
};

TEST_F(RegistryTest, StringsAreWrittenWithTheirTerminatingNul) {
    fixture_.Create_key(kHkeyLocalMachine, key_);
    fixture_.Access().Write_setting(kHkeyLocalMachine, key_, L"VDRFC", std::wstring(L"C:\\Addons"),
                                    kRegSz);
    DWORD type = 0;
    EXPECT_EQ(Stored(L"VDRFC", type), "C:\\Addons\0"s);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
}

TEST_F(RegistryTest, OneTrailingNulIsStrippedOnReading) {
    const struct {
        std::string stored;
        std::wstring read;
    } cases[] = {
        {"C:\\Addons\0"s, L"C:\\Addons"},
        {"C:\\Addons"s, L"C:\\Addons"},
        {"abc\0\0"s, L"abc\0"s},
        {"\0"s, L""},
    };
    for (const auto& c : cases) {
        fixture_.Put_bytes(kHkeyLocalMachine, key_, L"v", kRegSz, c.stored);
        EXPECT_EQ(fixture_.Access().Read_setting(kHkeyLocalMachine, key_, L"v"), RegValue(c.read));
    }
}

// A user who may only read a key still reads it, and one who may only set values still writes.
TEST_F(RegistryTest, KeysAreOpenedWithOnlyTheRightsTheCallNeeds) {
    fixture_.Put_string(kHkeyLocalMachine, key_, L"VDRFC", L"C:\\Addons");
    if (!Restrict(L"D:P(A;;0x1;;;WD)") || Opens_with_all_rights()) {
        GTEST_SKIP() << "this registry does not enforce key permissions";
    }
    EXPECT_EQ(fixture_.Access().Read_setting(kHkeyLocalMachine, key_, L"VDRFC"),
              RegValue(std::wstring(L"C:\\Addons")));

    ASSERT_TRUE(Restrict(L"D:P(A;;0x2;;;WD)"));
    fixture_.Access().Write_setting(kHkeyLocalMachine, key_, L"VDRFC", std::wstring(L"D:\\New"),
                                    kRegSz);
    ASSERT_TRUE(Restrict(L"D:P(A;;KA;;;WD)"));
    DWORD type = 0;
    EXPECT_EQ(Stored(L"VDRFC", type), "D:\\New\0"s);
}

}  // namespace
}  // namespace brelvik
