#include <gtest/gtest.h>

#include <stdexcept>

#include "EnvGuard.h"
#include "text/core/VuViewerMsg.h"
#include "text/core/VuxSHex.h"
#include "text/core/VuxSProc.h"

TEST(Strings, ReplaceAndSubstitute)
{
    std::u16string s = u"a = b = c";
    ReplaceFirstOf(s, u" = ", u"=");
    EXPECT_EQ(s, u"a=b = c");
    ReplaceFirstOf(s, u"zz", u"y");
    EXPECT_EQ(s, u"a=b = c");

    // Restarting from the start shrinks runs a single pass would leave.
    std::string n = "aaaa";
    ReplaceAllOf(n, "aa", "a");
    EXPECT_EQ(n, "a");
    std::u16string w = u"a  =  b";
    ReplaceAllOf(w, u" = ", u"=");
    EXPECT_EQ(w, u"a=b");
    // A replacement holding the searched text is applied once per match
    // instead of looping for ever.
    std::u16string grow = u"a-a";
    ReplaceAllOf(grow, u"a", u"aa");
    EXPECT_EQ(grow, u"aa-aa");
    ReplaceAllOf(grow, u"", u"x");
    EXPECT_EQ(grow, u"aa-aa");

    EXPECT_EQ(SubstPercentS(u"File %s in %s", {u"a.txt", u"%s"}), u"File a.txt in %s");
    EXPECT_EQ(SubstPercentS(u"%s and %s", {u"one"}), u"one and %s");
    EXPECT_EQ(SubstPercentS(u"none", {u"x"}), u"none");
}

TEST(Strings, DelimitersAndExtensions)
{
    EXPECT_EQ(LastDelimiterPos(u"/.", u"a/b.c.d"), 6);
    EXPECT_EQ(LastDelimiterPos(u"/", u"abc"), 0);
    struct Row { const char16_t* name; const char16_t* ext; };
    const Row rows[] = {
        {u"report.TXT", u".TXT"}, {u"/home/a.b/readme", u""}, {u"c:\\dir.x\\file", u""},
        {u"c:file.rtf", u".rtf"}, {u"archive.tar.gz", u".gz"}, {u"noext", u""}, {u"dot.", u"."},
    };
    for (const Row& r : rows)
        EXPECT_EQ(ExtOfFileName(r.name), r.ext);

    for (char16_t c : std::u16string(u" \t\n!/:@[`{~\x7F\x01"))
        EXPECT_TRUE(IsWordDelimiter(c)) << int(c);
    for (char16_t c : std::u16string(u"09azAZ_\x80\u00E9\u0436"))
        EXPECT_FALSE(IsWordDelimiter(c)) << int(c);
    EXPECT_EQ(kWordDelimiters.size(), 0x30u + 16u + 1u);
    for (char16_t c : kWordDelimiters)
        EXPECT_TRUE(IsWordDelimiter(c));
}

TEST(Strings, CaseBlanksAndRepeats)
{
    std::u16string w = u"ÄBC Ж İ";
    LowerInPlace(w);
    EXPECT_EQ(w, u"äbc ж i");
    EXPECT_EQ(LowerCaseTable()[u'Q'], u'q');
    EXPECT_EQ(LowerCaseTable()[0xD800], 0xD800);
    {
        EnvGuard env{{"PEEKWELL_ACP", "1251"}};
        std::string n = "AB\xC0\xDF\x80";  // "А", "Я" lower to 0xE0, 0xFF; "Ђ" to 0x90
        LowerInPlace(n);
        EXPECT_EQ(n, "ab\xE0\xFF\x90");
    }
    std::u16string z(u"a\0b", 3);
    ZerosToSpaces(z);
    EXPECT_EQ(z, u"a b");
    std::string zn("\0\0", 2);
    ZerosToSpaces(zn);
    EXPECT_EQ(zn, "  ");
    std::u16string t = u"ab \t";
    DropTrailingBlank(t);
    EXPECT_EQ(t, u"ab ");
    std::u16string e;
    DropTrailingBlank(e);
    EXPECT_EQ(e, u"");
    EXPECT_EQ(RepeatChar(u'-', 3), u"---");
    EXPECT_EQ(RepeatChar(u'-', -1), u"");
    EXPECT_TRUE(IsLineBreakChar(13));
    EXPECT_FALSE(IsLineBreakChar(12));
    int64_t v = 5;
    RaiseTo<int64_t>(v, 9);
    LowerTo<int64_t>(v, 7);
    EXPECT_EQ(v, 7);
    EXPECT_EQ(Min64(-1, 3), -1);
    EXPECT_EQ(Max32(-1, 3), 3);
}

TEST(Strings, TabExpansion)
{
    TVuTabOptions o;
    o.tabSize = 8;
    o.position = 3;
    o.alignToStops = true;
    EXPECT_EQ(ExpandSingleTab(o), u"      ");
    o.mark = true;
    EXPECT_EQ(ExpandSingleTab(o), u"   »  ");
    o.position = 8;
    EXPECT_EQ(ExpandSingleTab(o), u"»");
    o.alignToStops = false;
    EXPECT_EQ(ExpandSingleTab(o), u"    »   ");

    TVuTabOptions line;
    line.tabSize = 4;
    line.alignToStops = true;
    EXPECT_EQ(ExpandLineTabs(u"\ta\t", line), u"    a   ");
    EXPECT_EQ(ExpandLineTabs(u"abcd\t\tx", line), u"abcd        x");
    EXPECT_EQ(ExpandLineTabs(u"no tabs", line), u"no tabs");
    // A tab as the marker must not be expanded again.
    line.mark = true;
    line.marker = u'\t';
    EXPECT_EQ(ExpandLineTabs(u"\t", line), u"  \t ");

    line.tabSize = 0;
    EXPECT_EQ(ExpandLineTabs(u"plain", line), u"plain");
    try {
        ExpandLineTabs(u"\t", line);
        FAIL();
    } catch (const std::logic_error& e) {
        EXPECT_STREQ(e.what(), "Tab size too small");
    }
}

TEST(Strings, HexAndUtf8)
{
    EXPECT_EQ(BytesToHexText("AB"), "41 42");
    EXPECT_EQ(BytesToHexText(std::string("\x00\xFF", 2)), "00 FF");
    EXPECT_EQ(BytesToHexText(""), "");

    const std::u16string wide = u"a\u00E9\u20AC\U0001F600";
    const std::string utf8 = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";
    EXPECT_EQ(Utf16ToUtf8(wide), utf8);
    EXPECT_EQ(Utf8ToUtf16(utf8), wide);
    EXPECT_EQ(Utf8ToUtf16("\xC3"), u"\uFFFD");
    EXPECT_EQ(Utf8ToUtf16("\xC0\xAFx"), u"\uFFFD\uFFFDx");  // overlong
    EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");  // surrogate
    EXPECT_EQ(Utf16ToUtf8(u"\xD800z"), "\xEF\xBF\xBDz");
}

TEST(ViewerMsg, HandlerReceivesTextAndCaption)
{
    std::u16string text, caption;
    SetViewerMessageHandler([&](const std::u16string& t, const std::u16string& c) {
        text = t;
        caption = c;
    });
    ViewerMessage(SubstPercentS(ViewerMessages.FileNotFound, {u"a.txt"}));
    SetViewerMessageHandler(nullptr);
    EXPECT_EQ(text, u"File not found: a.txt");
    EXPECT_EQ(caption, u"Viewer");
}
