#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "packing/cmdline.h"
#include "platform/commandline.h"

namespace brelvik {
namespace {

using Args = std::vector<std::wstring>;

TEST(SplitCommandline, FollowsTheCRuntimeRules) {
    struct Case {
        std::wstring line;
        Args args;
    };
    const Case cases[] = {
        {L"", {}},
        {L" \t ", {}},
        {L"\"\"", {L""}},
        {L"a \"\" b", {L"a", L"", L"b"}},
        {L"\"abc\" d e", {L"abc", L"d", L"e"}},
        {L"a\tb  c ", {L"a", L"b", L"c"}},
        {L"a\\\\\\b d\"e f\"g h", {L"a\\\\\\b", L"de fg", L"h"}},
        {L"a\\\\\\\"b c d", {L"a\\\"b", L"c", L"d"}},
        {L"a\\\\\\\\\"b c\" d e", {L"a\\\\b c", L"d", L"e"}},
        {L"C:\\dir\\ x", {L"C:\\dir\\", L"x"}},
        // A doubled quote inside quotes is a literal quote and the quotes go on.
        {L"a\"b\"\" c d", {L"ab\" c d"}},
        {L"\"a\"\"b\" c", {L"a\"b", L"c"}},
        // Outside quotes it opens and closes an empty stretch.
        {L"a\"\"b c", {L"ab", L"c"}},
        {L"\"open to the end", {L"open to the end"}},
        {L"\"C:\\a b\\\\\" x", {L"C:\\a b\\", L"x"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Split_commandline(c.line), c.args)
            << "line: " << std::string(c.line.begin(), c.line.end());
    }
}

// The program's own name is read by its own rule: quotes only delimit it, backslashes are plain,
// and it ends at the first blank outside quotes.
TEST(ProgramArguments, FollowTheProgramsName) {
    const std::pair<std::wstring, Args> cases[] = {
        {L"", {}},
        {L"brelvik.exe", {}},
        {L"\"C:\\Program Files\\brelvik.exe\" \"D:\\My Mods\\release.txta\"",
         {L"D:\\My Mods\\release.txta"}},
        {L"\"C:\\Program Files\\pack.exe\" -a \"x y\"", {L"-a", L"x y"}},
        {L"\"C:\\a\\\"x y", {L"y"}},
        {L"C:\\b\\brelvik.exe\tD:\\m\\", {L"D:\\m\\"}},
        {L"C:\\bin\\pack.exe\t-a x", {L"-a", L"x"}},
        {L"\"unclosed name", {}},
    };
    for (const auto& [line, args] : cases) {
        EXPECT_EQ(Program_arguments(line), args);
    }
}

TEST(QuoteArgument, QuotesOnlyWhatNeedsIt) {
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"", L"\"\""},
        {L"C:\\Addons\\tank.pbo", L"C:\\Addons\\tank.pbo"},
        {L"a\\\\b", L"a\\\\b"},
        {L"a b", L"\"a b\""},
        {L"a\tb", L"\"a\tb\""},
        {L"a\"b", L"\"a\\\"b\""},
        {L"C:\\a b\\x", L"\"C:\\a b\\x\""},
        {L"C:\\a b\\", L"\"C:\\a b\\\\\""},
        {L"a\\\"b", L"\"a\\\\\\\"b\""},
    };
    for (const auto& [argument, quoted] : cases) {
        EXPECT_EQ(Quote_argument(argument), quoted);
    }
}

TEST(QuoteArgument, SplitGivesEveryArgumentBack) {
    std::mt19937 random(20240611);
    const std::wstring alphabet = L"ab \t\"\\";
    for (int round = 0; round < 3000; ++round) {
        Args args(random() % 4);
        for (std::wstring& arg : args) {
            const std::size_t length = random() % 8;
            for (std::size_t i = 0; i < length; ++i) {
                arg += alphabet[random() % alphabet.size()];
            }
        }
        std::wstring line;
        for (const std::wstring& arg : args) {
            line += (line.empty() ? L"" : L" ") + Quote_argument(arg);
        }
        ASSERT_EQ(Split_commandline(line), args);
    }
}

}  // namespace
}  // namespace brelvik
