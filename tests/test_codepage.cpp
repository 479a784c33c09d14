#include <gtest/gtest.h>

#include <string>

#include "platform/codepage.h"

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

}  // namespace
}  // namespace brelvik
