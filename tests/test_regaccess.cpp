#include <gtest/gtest.h>

#include <cwctype>
#include <limits>
#include <stdexcept>

#include "tests/regaccess_fixture.h"

// The behaviour of RegAccess, the same against the settings store and the Windows registry.

namespace brelvik {
namespace {

constexpr std::int32_t kRegExpandSz = 2;
constexpr std::int32_t kRegBinary = 3;

class RegAccessTest : public ::testing::Test {
  protected:
    RegAccess& Reg() { return fixture_.Access(); }
    RegValue Read(const std::wstring& name) {
        return Reg().Read_setting(kHkeyLocalMachine, key_, name);
    }

    test::RegFixture fixture_;
    const std::wstring key_ = fixture_.Key(kHkeyLocalMachine, L"Quorvane\\Veldrun");
};

TEST_F(RegAccessTest, StringsComeBackExactlyAsWritten) {
    fixture_.Create_key(kHkeyLocalMachine, key_);
    const std::wstring cases[] = {
        L"C:\\Addons",
        L"/home/me/add ons",
        L"quote \" and backslash \\ and \\\"",
        L"t\u00E4nk \u20AC \u00FF",
        L"a somewhat longer folder path with many characters in it, more than a short buffer",
    };
    for (const std::wstring& text : cases) {
        Reg().Write_setting(kHkeyLocalMachine, key_, L"VDRFC", text, kRegSz);
        EXPECT_EQ(Read(L"VDRFC"), RegValue(text));
    }
    Reg().Write_setting(kHkeyLocalMachine, key_, L"VDRFC", std::wstring(), kRegSz);
    EXPECT_EQ(Value_length(Read(L"VDRFC")), 0u);
}

TEST_F(RegAccessTest, DwordsComeBackAsSignedIntegers) {
    fixture_.Create_key(kHkeyLocalMachine, key_);
    const struct {
        RegValue written;
        std::int32_t read;
    } cases[] = {
        {std::int32_t{42}, 42},
        {std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::min()},
        {std::wstring(L" -7"), -7},
        {RegValue(), 0},
    };
    for (const auto& c : cases) {
        Reg().Write_setting(kHkeyLocalMachine, key_, L"n", c.written, kRegDword);
        EXPECT_EQ(Read(L"n"), RegValue(c.read));
    }
    fixture_.Put_dword(kHkeyLocalMachine, key_, L"prepared", -2);
    EXPECT_EQ(Read(L"prepared"), RegValue(std::int32_t{-2}));
    EXPECT_EQ(Value_text(Read(L"prepared")), L"-2");
}

TEST_F(RegAccessTest, AValueThatIsNoNumberIsTheCallersErrorAndStoresNothing) {
    fixture_.Create_key(kHkeyLocalMachine, key_);
    EXPECT_THROW(
        Reg().Write_setting(kHkeyLocalMachine, key_, L"n", std::wstring(L"12abc"), kRegDword),
        std::invalid_argument);
    EXPECT_THROW(
        Reg().Write_setting(kHkeyLocalMachine, key_, L"n", std::wstring(L"2147483648"), kRegDword),
        std::out_of_range);
    EXPECT_EQ(Read(L"n"), RegValue());
    // The key was closed again: a later write works.
    Reg().Write_setting(kHkeyLocalMachine, key_, L"n", std::int32_t{1}, kRegDword);
    EXPECT_EQ(Read(L"n"), RegValue(std::int32_t{1}));
}

TEST_F(RegAccessTest, TheDefaultValueOfAPackerEntry) {
    const std::wstring icon = fixture_.Key(kHkeyClassesRoot, L"WinRAR\\DefaultIcon");
    fixture_.Put_string(kHkeyClassesRoot, icon, L"", L"C:\\Tools\\R\\rarpack.exe,0");
    EXPECT_EQ(Reg().Read_setting(kHkeyClassesRoot, icon, L""),
              RegValue(std::wstring(L"C:\\Tools\\R\\rarpack.exe,0")));

    Reg().Write_setting(kHkeyClassesRoot, icon, L"", std::wstring(L"D:\\r.exe,1"), kRegSz);
    EXPECT_EQ(Value_text(Reg().Read_setting(kHkeyClassesRoot, icon, L"")), L"D:\\r.exe,1");
}

TEST_F(RegAccessTest, WhatCannotBeReadIsEmpty) {
    fixture_.Put_string(kHkeyLocalMachine, key_, L"present", L"x");
    fixture_.Put_bytes(kHkeyLocalMachine, key_, L"expand", kRegExpandSz,
                       std::string("%PATH%\0", 7));
    fixture_.Put_bytes(kHkeyLocalMachine, key_, L"binary", kRegBinary, "\x01\x02\x03");
    fixture_.Put_bytes(kHkeyLocalMachine, key_, L"zero", kRegSz, "");
    const struct {
        const char* what;
        std::uint32_t root;
        std::wstring key;
        std::wstring name;
    } cases[] = {
        {"missing key", kHkeyLocalMachine, fixture_.Key(kHkeyLocalMachine, L"Missing"), L"present"},
        {"missing value", kHkeyLocalMachine, key_, L"absent"},
        {"REG_EXPAND_SZ", kHkeyLocalMachine, key_, L"expand"},
        {"REG_BINARY", kHkeyLocalMachine, key_, L"binary"},
        {"zero-byte string", kHkeyLocalMachine, key_, L"zero"},
        {"the key under another root", kHkeyClassesRoot, key_, L"present"},
    };
    for (const auto& c : cases) {
        const RegValue value = Reg().Read_setting(c.root, c.key, c.name);
        EXPECT_EQ(value, RegValue()) << c.what;
        EXPECT_EQ(Value_length(value), 0u) << c.what;
    }
}

TEST_F(RegAccessTest, AWriteUnderAMissingKeyStoresNothingAndCreatesNoKey) {
    const std::wstring missing = fixture_.Key(kHkeyLocalMachine, L"Quorvane\\Nowhere");
    Reg().Write_setting(kHkeyLocalMachine, missing, L"VDRFC", std::wstring(L"C:\\Addons"), kRegSz);
    EXPECT_FALSE(fixture_.Key_exists(kHkeyLocalMachine, missing));
    EXPECT_EQ(Reg().Read_setting(kHkeyLocalMachine, missing, L"VDRFC"), RegValue());
}

TEST_F(RegAccessTest, OtherTypesAreNotWritten) {
    fixture_.Create_key(kHkeyLocalMachine, key_);
    Reg().Write_setting(kHkeyLocalMachine, key_, L"bin", std::wstring(L"x"), kRegBinary);
    EXPECT_EQ(Read(L"bin"), RegValue());
}

TEST_F(RegAccessTest, KeyPathsAndValueNamesIgnoreLetterCase) {
    fixture_.Put_string(kHkeyLocalMachine, key_, L"VDRFC", L"C:\\Addons");
    std::wstring upper = key_;
    for (wchar_t& c : upper) {
        c = static_cast<wchar_t>(std::towupper(c));
    }
    EXPECT_EQ(Value_text(Reg().Read_setting(kHkeyLocalMachine, upper, L"vdrfc")), L"C:\\Addons");

    Reg().Write_setting(kHkeyLocalMachine, upper, L"Vdrfc", std::wstring(L"D:\\New"), kRegSz);
    EXPECT_EQ(Value_text(Read(L"VDRFC")), L"D:\\New");
}

TEST_F(RegAccessTest, EveryReadSeesTheCurrentContents) {
    fixture_.Put_string(kHkeyLocalMachine, key_, L"VDRFC", L"first");
    EXPECT_EQ(Value_text(Read(L"VDRFC")), L"first");
    fixture_.Put_string(kHkeyLocalMachine, key_, L"VDRFC", L"second");
    EXPECT_EQ(Value_text(Read(L"VDRFC")), L"second");
}

TEST_F(RegAccessTest, ReadValueLeavesTheValueAloneWhenTheKeyIsNotOpen) {
    RegValue value = std::wstring(L"kept");
    const std::int32_t invalidHandle = 6;
    EXPECT_EQ(Reg().Read_value(0, L"VDRFC", value), invalidHandle);
    EXPECT_EQ(value, RegValue(std::wstring(L"kept")));
    EXPECT_EQ(Reg().Write_value(0, L"VDRFC", kRegSz, value), invalidHandle);
}

}  // namespace
}  // namespace brelvik
