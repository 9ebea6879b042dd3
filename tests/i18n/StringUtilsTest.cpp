#include <gtest/gtest.h>

#include "i18n/core/StringUtils.h"

TEST(SplitLeft, TakesTextBeforeFirstSeparatorOrEverything)
{
    std::u16string s = u"a=b=c";
    EXPECT_EQ(SplitLeft(s, u"="), u"a");
    EXPECT_EQ(s, u"b=c");
    std::u16string none = u"abc";
    EXPECT_EQ(SplitLeft(none, u"="), u"abc");
    EXPECT_EQ(none, u"");
    std::string narrow = "12_name=x";
    EXPECT_EQ(SplitLeft(narrow, "_"), "12");
    EXPECT_EQ(narrow, "name=x");
}

struct LiteralCase {
    const char* name;
    std::u16string value;
    std::u16string expected;
};

class LenientLiteral : public ::testing::TestWithParam<LiteralCase> {};

TEST_P(LenientLiteral, Decodes) { EXPECT_EQ(DecodeLiteralLenient(GetParam().value), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Values, LenientLiteral,
    ::testing::Values(LiteralCase{"DoubledQuoteIsOneQuote", u"'It''s'", u"It's"},
                      LiteralCase{"CodeBetweenSegments", u"'a'#13'b'", u"a\rb"},
                      LiteralCase{"BlankBetweenSegmentsBreaksLine", u"'a' 'b'", u"a\rb"},
                      LiteralCase{"BlanksAroundRestAreTrimmed", u"'a' ,  'b'  ", u"a\r\rb"},
                      LiteralCase{"CodesOnly", u"#80#101#107", u"Pek"},
                      LiteralCase{"CodeBeforeQuote", u"#39'x'", u"'x"},
                      LiteralCase{"Empty", u"", u""},
                      LiteralCase{"EmptySegment", u"''", u""},
                      // Unquoted text: every letter is stray, each makes an empty piece.
                      LiteralCase{"BareWord", u"ab", u"\r\r"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DecodeLiteral, StrayCharacterCarriesPositionAndDecodedText)
{
    try {
        DecodeLiteral(u"'ab'#67'c'x'z'");
        FAIL() << "no error";
    } catch (const EQuillonToStringError& e) {
        EXPECT_EQ(e.Position(), 11u);
        EXPECT_EQ(e.Decoded(), u"abCc");
    }
}

TEST(DecodeLiteral, MalformedValuesAreErrors)
{
    for (std::u16string bad : {u"'abc", u"'a'#", u"#13 'b'", u"#70000", u"'a''"}) {
        SCOPED_TRACE(std::string(bad.begin(), bad.end()));
        EXPECT_THROW(DecodeLiteralLenient(bad), ELanguageValueError);
    }
    try {
        DecodeLiteral(u"'abc");
    } catch (const ELanguageValueError& e) {
        EXPECT_STREQ(e.what(), "Bad decoded string: \"'abc\"");
    }
}

TEST(DecodeValue, HumanizedReplacesEveryDivider)
{
    EXPECT_EQ(DecodeValue(u"a\\b\\c", true, u"\\", u"\r"), u"a\rb\rc");
    EXPECT_EQ(DecodeValue(u"a||b", true, u"||", u"\r\n"), u"a\r\nb");
    EXPECT_EQ(DecodeValue(u"'kept'", true, u"\\", u"\r"), u"'kept'");
    EXPECT_EQ(DecodeValue(u"a\\b", true, u"", u"\r"), u"a\\b");
    EXPECT_EQ(DecodeValue(u"'a'#13'b'", false, u"\\", u"\r"), u"a\rb");
}

TEST(CodepageConversion, SingleByteAndUtf8)
{
    EXPECT_EQ(ToWideCP("\xCF\xF0\xE8", 1251), u"При");
    EXPECT_EQ(ToWideCP("\xC0", 1252), u"À");
    EXPECT_EQ(ToAnsiCP(u"При", 1251), "\xCF\xF0\xE8");
    EXPECT_EQ(ToAnsiCP(u"Пx", 1252), "?x");
    EXPECT_EQ(ToWideCP("\xD0\x9F\xF0\x9F\x98\x80", kUtf8Codepage), u"П\U0001F600");
    EXPECT_EQ(ToWideCP("a\xC3", kUtf8Codepage), u"a\xFFFD");
    EXPECT_EQ(WideToUtf8(u"П\U0001F600"), "\xD0\x9F\xF0\x9F\x98\x80");
    EXPECT_FALSE(IsCodepageConvertible(12345));
    EXPECT_THROW(ToWideCP("x", 12345), ELanguageValueError);
}
