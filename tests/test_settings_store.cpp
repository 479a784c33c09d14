#include <gtest/gtest.h>

#include <string>

#include "platform/codepage.h"
#include "platform/settings_store.h"

namespace brelvik {
namespace {

using namespace std::string_literals;

const std::string kHead = "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\K]\n";
const std::wstring kKey = L"HKEY_LOCAL_MACHINE\\K";

Store Parsed(const std::string& text) {
    auto parsed = Parse_store(text);
    if (const StoreError* error = std::get_if<StoreError>(&parsed)) {
        ADD_FAILURE() << "line " << error->line << " rejected in:\n" << text;
        return {};
    }
    return std::get<Store>(parsed);
}

TEST(StoreParser, ReadsEveryValueForm) {
    using Kind = StoreValue::Kind;
    const struct {
        std::string line;
        std::wstring name;
        Kind kind;
        std::wstring text;
        std::int32_t number;
    } cases[] = {
        {"\"VDRFC\"=\"C:\\\\Addons\"", L"VDRFC", Kind::String, L"C:\\Addons", 0},
        {"\"q\"=\"say \\\"hi\\\"\"", L"q", Kind::String, L"say \"hi\"", 0},
        {"@=\"C:\\\\R\\\\rar.exe,0\"", L"", Kind::String, L"C:\\R\\rar.exe,0", 0},
        {"\"sp\" = \"spaced\" ", L"sp", Kind::String, L"spaced", 0},
        {"\"e\"=\"\"", L"e", Kind::String, L"", 0},
        {"\"u\"=\"/home/j\xC3\xBC/t\xE2\x82\xAC\"", L"u", Kind::String, L"/home/j\u00FC/t\u20AC",
         0},
        {"\"nl\"=\"two\nlines\"", L"nl", Kind::String, L"two\nlines", 0},
        {"\"d\"=dword:0000002a", L"d", Kind::Dword, L"", 42},
        {"\"neg\"=dword:ffffffff", L"neg", Kind::Dword, L"", -1},
        {"\"x\"=hex(2):25,00,41,00,00,00", L"x", Kind::Other, L"", 0},
        {"\"b\"=hex:01,02,\\\n  03,04", L"b", Kind::Other, L"", 0},
        {"\"z\"=hex:", L"z", Kind::Other, L"", 0},
    };
    for (const auto& c : cases) {
        const Store store = Parsed(kHead + c.line + "\n");
        const StoreValue* value = Find_value(store, kKey, c.name);
        ASSERT_NE(value, nullptr) << c.line;
        EXPECT_EQ(value->kind, c.kind) << c.line;
        EXPECT_EQ(value->text, c.text) << c.line;
        EXPECT_EQ(value->number, c.number) << c.line;
    }
}

TEST(StoreParser, RejectsBadInputWithItsLine) {
    const struct {
        std::string text;
        std::size_t line;
    } cases[] = {
        {"", 1},
        {"[HKEY_LOCAL_MACHINE\\K]\n\"a\"=\"b\"\n", 1},  // no first line
        {"REGEDIT5\n", 1},
        {"Windows Registry Editor Version 5.00\n\"a\"=\"b\"\n", 2},  // value outside a key
        {kHead + "[HKEY_LOCAL_MACHINE\\open\n", 4},
        {kHead + "\"a\"=\"never closed\n\n", 4},
        {kHead + "\"a\"=dword:xyz\n", 4},
        {kHead + "\"a\"=dword:123456789\n", 4},
        {kHead + "\"a\"=hex:0g\n", 4},
        {kHead + "\"a\"=hex(2:00\n", 4},
        {kHead + "\"a\"=hex:01,\\\n", 4},  // cut off inside a list
        {kHead + "\"a\"=\"x\" trailing\n", 4},
        {kHead + "\"a\"=\"bad \\q escape\"\n", 4},
        {kHead + "\"a\"\n", 4},
        {kHead + "\"a\"=text\n", 4},
        {kHead + "just words\n", 4},
        {kHead + "\"ok\"=\"1\"\n\"a\"=\"caf\xC3\n", 5},  // a cut UTF-8 sequence
        {kHead + "\x89PNG\r\n\x1A\n\0\0\0\rIHDR"s, 4},
    };
    for (const auto& c : cases) {
        const auto parsed = Parse_store(c.text);
        const StoreError* error = std::get_if<StoreError>(&parsed);
        ASSERT_NE(error, nullptr) << c.text;
        EXPECT_EQ(error->line, c.line) << c.text;
        EXPECT_FALSE(error->reason.empty());
    }
}

TEST(StoreParser, WritesBackByteForByte) {
    const std::string text =
        "\xEF\xBB\xBFREGEDIT4\r\n"
        "; kept as written\r\n"
        "\r\n"
        "[HKEY_CLASSES_ROOT\\WinRAR\\DefaultIcon]\r\n"
        "@=\"C:\\\\Tools\\\\R\\\\rarpack.exe,0\"\r\n"
        "\"bin\"=hex(3):01,02,\\\r\n"
        "  03\r\n"
        "  [HKEY_LOCAL_MACHINE\\SOFTWARE\\Quorvane\\Veldrun]  \r\n"
        "\"VDRFC\"=\"/d\xE9j\xE0, a folder name that is not UTF-8, no line break at the end\"";
    EXPECT_EQ(Serialize_store(Parsed(text)), text);
}

// As the registry editor exports: UTF-16LE behind a byte-order mark, CR LF line breaks.
TEST(StoreParser, ReadsAndKeepsARegistryExportInUtf16) {
    const std::string text = To_utf16le(
        L"\uFEFFWindows Registry Editor Version 5.00\r\n\r\n"
        L"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Quorvane\\Veldrun]\r\n"
        L"\"VDRFC\"=\"C:\\\\\u0141\u00F3d\u017A\"\r\n");
    const std::wstring key = L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Quorvane\\Veldrun";
    Store store = Parsed(text);
    EXPECT_EQ(Serialize_store(store), text);
    const StoreValue* folder = Find_value(store, key, L"VDRFC");
    ASSERT_NE(folder, nullptr);
    EXPECT_EQ(folder->text, L"C:\\\u0141\u00F3d\u017A");
    ASSERT_TRUE(Set_value(store, key, L"VDRFC", {StoreValue::Kind::String, L"D:\\x", 0}));
    EXPECT_EQ(Serialize_store(store),
              To_utf16le(L"\uFEFFWindows Registry Editor Version 5.00\r\n\r\n"
                         L"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Quorvane\\Veldrun]\r\n"
                         L"\"VDRFC\"=\"D:\\\\x\"\r\n"));
    EXPECT_TRUE(std::holds_alternative<StoreError>(Parse_store(text.substr(0, text.size() - 1))));

    // A folder name that is not UTF-8 is stored in its escaped form and read back the same.
    const std::wstring notUtf8 = From_native("/home/d\xE9j\xE0");
    ASSERT_TRUE(Set_value(store, key, L"VDRFC", {StoreValue::Kind::String, notUtf8, 0}));
    const std::string saved = Serialize_store(store);
    EXPECT_EQ(saved.find("\xFD\xFF"), std::string::npos);
    const Store reread = Parsed(saved);
    EXPECT_EQ(Find_value(reread, key, L"VDRFC")->text, notUtf8);
    EXPECT_EQ(Serialize_store(reread), saved);
    // Such units come back as they were even where the bytes they stand for would form UTF-8.
    const std::string crafted = To_utf16le(L"\uFEFFREGEDIT4\r\n[K]\r\n\"a\"=\"\xDCC3\xDCA9\"\r\n");
    EXPECT_EQ(Serialize_store(Parsed(crafted)), crafted);
}

TEST(StoreParser, SettingAValueRewritesOnlyThatValue) {
    const std::string text = kHead +
                             "\"VDRFC\"=\"old\"\n"
                             "; a comment that stays\n"
                             "\n"
                             "[HKEY_LOCAL_MACHINE\\Other]\n"
                             "\"n\"=dword:00000001\n";
    Store store = Parsed(text);
    ASSERT_TRUE(Set_value(store, L"hkey_local_machine\\k", L"vdrfc",
                          {StoreValue::Kind::String, L"C:\\new \"dir\"", 0}));
    ASSERT_TRUE(Set_value(store, kKey, L"", {StoreValue::Kind::String, L"default", 0}));
    ASSERT_TRUE(Set_value(store, kKey, L"count", {StoreValue::Kind::Dword, L"", -2}));
    EXPECT_EQ(Serialize_store(store), kHead +
                                          "\"VDRFC\"=\"C:\\\\new \\\"dir\\\"\"\n"
                                          "@=\"default\"\n"
                                          "\"count\"=dword:fffffffe\n"
                                          "; a comment that stays\n"
                                          "\n"
                                          "[HKEY_LOCAL_MACHINE\\Other]\n"
                                          "\"n\"=dword:00000001\n");

    const Store reread = Parsed(Serialize_store(store));
    EXPECT_EQ(Find_value(reread, kKey, L"VDRFC")->text, L"C:\\new \"dir\"");
    EXPECT_EQ(Find_value(reread, kKey, L"count")->number, -2);
}

TEST(StoreParser, AddedLinesFollowTheFileAndAMissingLastLineBreak) {
    Store crlf = Parsed("REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\K]");
    ASSERT_TRUE(Set_value(crlf, kKey, L"a", {StoreValue::Kind::String, L"1", 0}));
    EXPECT_EQ(Serialize_store(crlf), "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\K]\r\n\"a\"=\"1\"\r\n");
}

TEST(StoreParser, NothingIsWrittenWhereTheKeyIsMissing) {
    Store store = Parsed(kHead);
    EXPECT_FALSE(
        Set_value(store, L"HKEY_LOCAL_MACHINE\\K\\Sub", L"a", {StoreValue::Kind::String, L"x", 0}));
    EXPECT_FALSE(
        Set_value(store, L"HKEY_CLASSES_ROOT\\K", L"a", {StoreValue::Kind::String, L"x", 0}));
    EXPECT_EQ(Serialize_store(store), kHead);
}

TEST(StoreParser, DuplicateSectionsMergeAndTheLaterValueWins) {
    Store store = Parsed(kHead + "\"a\"=\"first\"\n\"only\"=\"here\"\n" +
                         "[hkey_local_machine\\k]\n" + "\"a\"=\"second\"\n");
    EXPECT_EQ(Find_value(store, kKey, L"a")->text, L"second");
    EXPECT_EQ(Find_value(store, kKey, L"only")->text, L"here");

    ASSERT_TRUE(Set_value(store, kKey, L"a", {StoreValue::Kind::String, L"third", 0}));
    ASSERT_TRUE(Set_value(store, kKey, L"new", {StoreValue::Kind::String, L"n", 0}));
    EXPECT_EQ(Serialize_store(store),
              kHead + "\"a\"=\"first\"\n\"only\"=\"here\"\n" +
                  "[hkey_local_machine\\k]\n\"a\"=\"third\"\n\"new\"=\"n\"\n");
}

TEST(StoreParser, NewStoreHoldsItsKeysWithoutValues) {
    const Store store = Parsed(Serialize_store(New_store({kKey})));
    EXPECT_TRUE(Has_key(store, L"hkey_local_machine\\K"));
    EXPECT_FALSE(Has_key(store, L"HKEY_LOCAL_MACHINE"));
    EXPECT_EQ(Find_value(store, kKey, L""), nullptr);
}

}  // namespace
}  // namespace brelvik
