#include "model/text_services.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct IntCase {
    const char* text;
    int32_t expected;
};

TEST(TextToInt, ReadsDigitsAfterSpaceAndSignIncludingFullWidthForms) {
    const IntCase cases[] = {
        {"", 0},
        {"3", 3},
        {"  42", 42},
        {"\t-7", -7},
        {"+12", 12},
        {"2abc", 2},
        {"abc", 0},
        {"-", 0},
        {"007", 7},
        {"\xa3\xb2", 2},                   // full-width ２
        {"\xa3\xb1\xa3\xb0", 10},          // １０
        {"\xa3\xad\xa3\xb5", -5},          // －５
        {"\xa3\xab\xa3\xb3", 3},           // ＋３
        {"\xa1\xa1\xa3\xb4", 4},           // ideographic space, then ４
        {"1\xa3\xb2x", 12},                // mixed half- and full-width digits
        {"\xb6\xfe", 0},                   // 二 is not a digit
        {"2147483647", 2147483647},
        {"2147483648", 2147483647},        // saturates instead of wrapping
        {"99999999999999999999", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"-99999999999", -2147483647 - 1},
    };
    for (const auto& c : cases) EXPECT_EQ(TextToInt(c.text), c.expected) << '"' << c.text << '"';
}

TEST(IntToText, PlainDecimal) {
    EXPECT_EQ(IntToText(0), "0");
    EXPECT_EQ(IntToText(5), "5");
    EXPECT_EQ(IntToText(1000), "1000");
    EXPECT_EQ(IntToText(-12), "-12");
    EXPECT_EQ(IntToText(-2147483648LL), "-2147483648");
}

struct SplitCase {
    std::string text;
    std::vector<std::string> items;
};

TEST(SplitOnSeparator, ItemsEndAtEachSeparatorAndOnlyWhereACharacterBegins) {
    const SplitCase cases[] = {
        {"", {}},
        {"||", {""}},
        {"a||b||", {"a", "b"}},
        {"a||b", {"a", "b"}},
        {"a||||", {"a", ""}},
        {"a|||b||", {"a", "|b"}},
        {"a||||c||", {"a", "", "c"}},
        {"|", {"|"}},
        {"||||", {"", ""}},
        {"abc", {"abc"}},
        // 0x7C is also a GBK trail byte: "\x81\x7c" is one character, so the "||" after it
        // starts at the next character and "\x81" "||" "|" must not be read as a separator.
        {"\x81\x7c||x||", {"\x81\x7c", "x"}},
        {"\x81\x7c|\x81\x7c||", {"\x81\x7c|\x81\x7c"}},
        {"\xc4\xda||\xc8\xdd||", {"\xc4\xda", "\xc8\xdd"}},
    };
    for (const auto& c : cases) {
        auto items = SplitOnSeparator(c.text, "||");
        std::vector<std::string> got(items.begin(), items.end());
        EXPECT_EQ(got, c.items) << '"' << c.text << '"';
    }
}

} // namespace
