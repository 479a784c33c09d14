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
                               RRF_RT_ANY | RRF_NOEXPAND | RRF_SUBKEY_WOW6432KEY, &type,
                               data.data(), &size),
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
        bool done = RegOpenKeyExW(HKEY_LOCAL_MACHINE, key_.c_str(), 0, WRITE_DAC | KEY_WOW64_32KEY,
                                  &key) == 0;
        done = done && RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor) == 0;
        RegCloseKey(key);
        LocalFree(descriptor);
        return done;
    }

    bool Opens_with_all_rights() {
        HKEY key = nullptr;
        const std::string path(key_.begin(), key_.end());
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, 0x3F | KEY_WOW64_32KEY, &key) !=
            ERROR_SUCCESS) {
            return false;
        }
        RegCloseKey(key);
        return true;
    }

    // VDRFC as the 64-bit view shows it at path; empty when that view holds no such value.
    static std::string Stored_in_64bit_view(const std::wstring& path) {
        std::string data(64, '\0');
        DWORD size = static_cast<DWORD>(data.size());
        const std::string ansiPath(path.begin(), path.end());
        const LSTATUS code =
            RegGetValueA(HKEY_LOCAL_MACHINE, ansiPath.c_str(), "VDRFC",
                         RRF_RT_REG_SZ | RRF_SUBKEY_WOW6464KEY, nullptr, data.data(), &size);
        data.resize(code == ERROR_SUCCESS ? size : 0);
        return data;
    }

    // The key as a 64-bit program sees the 32-bit view: below Wow6432Node.
    std::wstring In_wow6432node() const {
        return L"SOFTWARE\\Wow6432Node" + key_.substr(key_.find(L'\\'));
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

// A 32-bit installer leaves the game's key in the 32-bit view of 64-bit Windows; the last folder
// is read and written there, and nothing appears in the 64-bit view.
TEST_F(RegistryTest, TheLastFolderIsKeptInThe32BitView) {
    BOOL wow64 = FALSE;
    if (sizeof(void*) == 4 && (!IsWow64Process(GetCurrentProcess(), &wow64) || !wow64)) {
        GTEST_SKIP() << "32-bit Windows: the registry has one view";
    }
    HKEY installed = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, In_wow6432node().c_str(), 0, nullptr, 0,
                              KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr, &installed, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(installed, "VDRFC", 0, REG_SZ, reinterpret_cast<const BYTE*>("C:\\Addons"), 10);
    RegCloseKey(installed);
    ASSERT_EQ(Stored_in_64bit_view(key_), "") << "the 64-bit view holds the value too";
    EXPECT_EQ(fixture_.Access().Read_setting(kHkeyLocalMachine, key_, L"VDRFC"),
              RegValue(std::wstring(L"C:\\Addons")));

    fixture_.Access().Write_setting(kHkeyLocalMachine, key_, L"VDRFC", std::wstring(L"D:\\New"),
                                    kRegSz);
    EXPECT_EQ(Stored_in_64bit_view(In_wow6432node()), "D:\\New\0"s);
    EXPECT_EQ(Stored_in_64bit_view(key_), "");
}

}  // namespace
}  // namespace brelvik
