// The UTF-8 rule every reader of UTF-8 text shares: characters, their
// starts found from any byte, decoding with one U+FFFD per invalid byte,
// and the test that tells UTF-8 text from bytes of a single-byte code page.
#include <gtest/gtest.h>

#include <iconv.h>
#include <random>
#include <string>
#include <vector>

#include "text/core/VuxCodepages.h"
#include "text/core/VuxSProc.h"
#include "text/core/VuxUtf8.h"

namespace {

const uint8_t* Bytes(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

// The start of every byte's character, from one walk from the beginning.
std::vector<size_t> StartsByWalking(const std::string& s)
{
    std::vector<size_t> starts;
    for (size_t i = 0; i < s.size();) {
        char32_t cp = 0;
        const int n = Utf8DecodeChar(Bytes(s) + i, s.size() - i, cp);
        for (int k = 0; k < n; ++k)
            starts.push_back(i);
        i += size_t(n);
    }
    return starts;
}

// iconv's UTF-8 decoder, for valid input only.
std::u16string IconvDecode(const std::string& in)
{
    iconv_t cd = iconv_open("UTF-16LE", "UTF-8");
    EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
    std::u16string out(in.size() + 1, u'\0');
    char* inp = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    char* outp = reinterpret_cast<char*>(out.data());
    size_t outLeft = out.size() * 2;
    EXPECT_NE(iconv(cd, &inp, &inLeft, &outp, &outLeft), static_cast<size_t>(-1));
    iconv_close(cd);
    out.resize(out.size() - outLeft / 2);
    return out;
}

TEST(Utf8, EachInvalidByteIsOneReplacementCharacter)
{
    struct Row {
        const char* what;
        std::string bytes;
        std::u16string text;
    } rows[] = {
        {"1 to 4 bytes", "a\xD0\xB6\xE4\xB8\xAD\xF0\x9F\x98\x80", u"a\u0436\u4E2D\U0001F600"},
        {"a lone continuation byte", "\x80z", u"\uFFFDz"},
        {"a lead byte before ASCII", "\xD0" "a", u"\uFFFDa"},
        {"a sequence cut at the end", "\xE4\xB8", u"\uFFFD\uFFFD"},
        {"overlong two bytes", "\xC0\x80", u"\uFFFD\uFFFD"},
        {"overlong three bytes", "\xE0\x80\x80", u"\uFFFD\uFFFD\uFFFD"},
        {"a surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
        {"above U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"bytes that never occur", "\xF5\xFF", u"\uFFFD\uFFFD"},
        {"a lead byte ends a broken sequence", "\xE4\xD0\xB6", u"\uFFFD\u0436"},
        {"the largest and smallest of each length", "\x7F\xC2\x80\xEF\xBF\xBF\xF4\x8F\xBF\xBF",
         u"\u007F\u0080\uFFFF\U0010FFFF"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(EncodingToUnicode(row.bytes, vEncUTF8), row.text) << row.what;
        EXPECT_EQ(Utf8ToUtf16(row.bytes), row.text) << row.what;
    }
}

// Valid text decodes as iconv decodes it, over every length and the edges
// of each range.
TEST(Utf8, ValidTextDecodesAsIconvDoes)
{
    std::u16string wide;
    for (char32_t cp = 1; cp <= 0x10FFFF; cp += (cp < 0x800 ? 1 : 97)) {
        if (cp >= 0xD800 && cp <= 0xDFFF)
            continue;
        char16_t units[2];
        wide.append(units, size_t(Utf16Units(cp, units)));
    }
    const std::string utf8 = Utf16ToUtf8(wide);
    EXPECT_EQ(EncodingToUnicode(utf8, vEncUTF8), IconvDecode(utf8));
    EXPECT_EQ(EncodingToUnicode(utf8, vEncUTF8), wide);
}

// From any byte, the start of its character is where a walk from the
// beginning put it, whatever mix of valid and broken sequences precedes.
TEST(Utf8, CharacterStartsAgreeWithAWalkFromTheBeginning)
{
    std::vector<std::string> samples = {
        "a\xD0\xB6\xE4\xB8\xAD\xF0\x9F\x98\x80z",
        "\x80\x80\x80\x80\xD0\xB6\x80\xE4\xB8\xE4\xB8\xAD\xF0\x9F\x98\xF0\x9F\x98\x80\xC0\xAF",
    };
    std::mt19937 rng(8);
    const uint8_t alphabet[] = {'a', 0x80, 0x9F, 0xAD, 0xB6, 0xBF, 0xC0, 0xD0, 0xE0, 0xE4, 0xED, 0xF0, 0xF4, 0xFF};
    for (int n = 0; n < 200; ++n) {
        std::string s;
        for (int i = 0; i < 40; ++i)
            s += char(alphabet[rng() % sizeof alphabet]);
        samples.push_back(s);
    }
    for (const std::string& s : samples) {
        const std::vector<size_t> starts = StartsByWalking(s);
        for (size_t i = 0; i < s.size(); ++i)
            ASSERT_EQ(Utf8CharStart(Bytes(s), s.size(), i), starts[i]) << "byte " << i;
    }
}

TEST(Utf8, TextTestNeedsValidMultiByteSequences)
{
    struct Row {
        const char* what;
        std::vector<std::string> pieces;
        bool valid, text;
    } rows[] = {
        {"ASCII alone", {"plain words"}, true, false},
        {"Latin", {"caf\xC3\xA9"}, true, true},
        {"Cyrillic", {"\xD0\x9F\xD1\x80\xD0\xB8"}, true, true},
        {"CJK", {"\xE4\xB8\xAD\xE6\x96\x87"}, true, true},
        {"a sequence split between pieces", {"ab\xF0\x9F", "\x98\x80" "cd"}, true, true},
        {"a sequence cut by the last piece", {"ab\xE4\xB8"}, true, true},
        {"a cut that could never become valid", {"ab\xE0\x80"}, false, false},
        {"Windows-1252", {"caf\xE9 cr\xE8me"}, false, false},
        {"valid, then a stray byte", {"\xD0\xB6", "\xC4\xC4"}, false, false},
    };
    for (const Row& row : rows) {
        TVuUtf8Check check;
        for (const std::string& piece : row.pieces)
            check.Feed(Bytes(piece), piece.size());
        EXPECT_EQ(check.IsValid(), row.valid) << row.what;
        EXPECT_EQ(check.IsMultiByteText(), row.text) << row.what;
    }
}

}  // namespace
