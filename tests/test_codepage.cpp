#include <gtest/gtest.h>

#include <string>

#include "platform/codepage.h"
#include "platform/platform_error.h"

namespace brelvik {
namespace {

// Windows-1252 is the code page everywhere but on Windows, where the system chooses.
class AnsiCodePage : public ::testing::Test {
  protected:
    void SetUp() override {
        if (To_ansi(L"\u20AC\u0178") != "\x80\x9F") {
            GTEST_SKIP() << "the system's ANSI code page is not Windows-1252";
        }
    }
};

TEST_F(AnsiCodePage, EveryByteSurvivesARoundTrip) {
    for (int byte = 0; byte <= 0xFF; ++byte) {
        const std::string bytes(1, static_cast<char>(byte));
        const std::wstring text = From_ansi(bytes);
        ASSERT_EQ(text.size(), 1u) << "byte " << byte;
        EXPECT_EQ(To_ansi(text), bytes) << "byte " << byte;
    }
}

TEST_F(AnsiCodePage, Windows1252Characters) {
    const struct {
        unsigned char byte;
        wchar_t character;
    } cases[] = {
        {0x41, L'A'},
        {0x80, L'\u20AC'},
        {0x8A, L'\u0160'},
        {0x9F, L'\u0178'},
        {0xA0, L'\u00A0'},
        {0xE9, L'\u00E9'},
        {0xFF, L'\u00FF'},
        // Bytes the code page leaves undefined keep their number, as on Windows.
        {0x81, L'\u0081'},
        {0x8D, L'\u008D'},
        {0x8F, L'\u008F'},
        {0x90, L'\u0090'},
        {0x9D, L'\u009D'},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(From_ansi(std::string(1, static_cast<char>(c.byte))),
                  std::wstring(1, c.character))
            << "byte " << int{c.byte};
    }
}

TEST_F(AnsiCodePage, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(To_ansi(L"\u0100bc"), "?bc");  // no best-fit "A"
    EXPECT_EQ(To_ansi(L"a\u4E2Db"), "a?b");
    EXPECT_EQ(To_ansi(L"\u0080"), "?");  // a C1 control that 0x80 does not stand for
    EXPECT_EQ(To_ansi(L"C:\\Add ons\\t\u00E4nk.pbo"), "C:\\Add ons\\t\xE4nk.pbo");
}

TEST(Utf8, RoundTripsEveryPlane) {
    using namespace std::string_literals;
    const std::wstring text = L"A\u00E9\u20AC\uFFFD\U00010000\U0010FFFF\0z"s;
    const std::string bytes = To_utf8(text);
    EXPECT_EQ(bytes, "A\xC3\xA9\xE2\x82\xAC\xEF\xBF\xBD\xF0\x90\x80\x80\xF4\x8F\xBF\xBF\0z"s);
    EXPECT_EQ(From_utf8(bytes), text);
}

TEST(Utf8, MalformedBytesAreRejected) {
    const char* const cases[] = {
        "\x80",              // a continuation byte alone
        "\xC0\x80",          // overlong NUL
        "\xE0\x80\xAF",      // overlong "/"
        "\xED\xA0\x80",      // a surrogate
        "\xF4\x90\x80\x80",  // past U+10FFFF
        "\xE2\x82",          // cut short
        "ok\xFF",            // never valid
    };
    for (const char* bytes : cases) {
        EXPECT_FALSE(From_utf8(bytes).has_value()) << bytes;
    }
}

TEST(Utf8, LoneSurrogateIsWrittenAsReplacement) {
    EXPECT_EQ(To_utf8(std::wstring(1, static_cast<wchar_t>(0xD800))), "\xEF\xBF\xBD");
}

TEST(Utf16le, RoundTripsEveryPlaneAndRejectsLoneSurrogates) {
    using namespace std::string_literals;
    const std::wstring text = L"A\u00E9\U00010000";
    const std::string bytes = "A\0\xE9\0\x00\xD8\x00\xDC"s;
    EXPECT_EQ(To_utf16le(text), bytes);
    EXPECT_EQ(From_utf16le(bytes), text);
    EXPECT_FALSE(From_utf16le("\x00\xDC"s).has_value());
    EXPECT_FALSE(From_utf16le("A").has_value());
    // A name's byte that is not UTF-8 keeps its escape, never becoming U+FFFD.
    const std::wstring escaped = L"/d\xDCE9j";
    EXPECT_EQ(To_utf16le(escaped), "/\0d\0\xE9\xDCj\0"s);
    EXPECT_EQ(From_utf16le(To_utf16le(escaped)), escaped);
}

// A name the system gave is handed back as the same bytes, UTF-8 or not.
TEST(NativeNames, EveryByteSurvivesARoundTrip) {
    const std::string bytes = "/d\xE9j\xE0/\xC3\xA9t\xC3\xA9\xFF\xC3";
    EXPECT_EQ(To_native(From_native(bytes)), bytes);
    EXPECT_EQ(From_native("/\xC3\xA9"), L"/\u00E9");
}

// Info files: the code page while every character fits, else UTF-8 behind a byte-order mark;
// a file read as UTF-8 is written back so. Without the mark the bytes are the code page, even
// where they happen to form UTF-8, as these Windows-1252 texts do.
TEST_F(AnsiCodePage, InfoTextNeverLosesACharacter) {
    using enum InfoEncoding;
    const struct {
        const wchar_t* text;
        const char* bytes;
        InfoEncoding encoding;
    } cases[] = {
        {L"caf\u00E9 \u20AC?", "caf\xE9 \x80?", kCodePage},
        {L"Mod by Wei\u00DF\u2122", "Mod by Wei\xDF\x99", kCodePage},
        {L"CAF\u00C9\u2026", "CAF\xC9\x85", kCodePage},
        {L"NOUVEAUT\u00C9\u2019", "NOUVEAUT\xC9\x92", kCodePage},
        {L"\u00C3\u00A9", "\xC3\xA9", kCodePage},
        {L"\u0422\u0430\u043D\u043A", "\xEF\xBB\xBF\xD0\xA2\xD0\xB0\xD0\xBD\xD0\xBA",
         kUtf8WithMark},
        {L"\u00E9\u4E2D", "\xEF\xBB\xBF\xC3\xA9\xE4\xB8\xAD", kUtf8WithMark},
        {L"caf\u00E9",
         "\xEF\xBB\xBF"
         "caf\xC3\xA9",
         kUtf8WithMark},
    };
    for (const auto& c : cases) {
        const DecodedInfo decoded = Decode_info_text(c.bytes);
        EXPECT_EQ(decoded.text, c.text);
        EXPECT_EQ(decoded.encoding, c.encoding);
        EXPECT_EQ(Encode_info_text(c.text, c.encoding), c.bytes);
    }
    EXPECT_EQ(Encode_info_text(L"\u4E2D", kCodePage), "\xEF\xBB\xBF\xE4\xB8\xAD");
    // A mark before bytes that are not UTF-8 is no mark: every byte is kept.
    EXPECT_EQ(Decode_info_text("\xEF\xBB\xBF\xE9").text, L"\u00EF\u00BB\u00BF\u00E9");
}

// A path the list file cannot hold would name another file once read back: refused, and named.
TEST_F(AnsiCodePage, ListTextRefusesAPathItCannotHold) {
#ifdef _WIN32
    EXPECT_EQ(Encode_list_text(L"C:\\caf\u00E9.pbo"), "C:\\caf\xE9.pbo");
    EXPECT_EQ(Decode_list_text("C:\\caf\xE9.pbo"), L"C:\\caf\u00E9.pbo");
    const std::wstring unfit = L"C:\\\u0141\u00F3d\u017A\\b.pbo";  // outside the code page
#else
    const std::wstring unfit = L"/caf\xDCE9/b.pbo";  // a name's bytes that are not UTF-8
#endif
    try {
        Encode_list_text(L"a.pbo\r\n" + unfit + L"\r\nc.pbo");
        ADD_FAILURE() << "no error";
    } catch (const PlatformError& error) {
        EXPECT_EQ(error.Path(), unfit);
    }
}

#ifndef _WIN32
TEST(ListText, Utf8AndOlderWindows1252Files) {
    EXPECT_EQ(Encode_list_text(L"/\u0141\u00F3d\u017A/a.pbo"),
              "/\xC5\x81\xC3\xB3"
              "d\xC5\xBA/a.pbo");
    EXPECT_EQ(Decode_list_text("/\xC5\x81\xC3\xB3"
                               "d\xC5\xBA/a.pbo"),
              L"/\u0141\u00F3d\u017A/a.pbo");
    EXPECT_EQ(Decode_list_text("/caf\xE9/a.pbo"), L"/caf\u00E9/a.pbo");
}
#endif

}  // namespace
}  // namespace brelvik
