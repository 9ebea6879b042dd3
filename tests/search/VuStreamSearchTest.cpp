#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <stdexcept>

#include "search/core/VuStreamSearch.h"
#include "text/core/VuxSProc.h"
#include "text/core/VuxUtf8.h"

namespace {

constexpr int64_t B = TVuStreamSearch::kBlockSize;

// `fill` bytes of filler with `text` written at each of the given offsets.
std::string Filled(size_t size, std::initializer_list<std::pair<size_t, std::string>> at, char fill = 'x')
{
    std::string s(size, fill);
    for (auto& [offset, text] : at)
        s.replace(offset, text.size(), text);
    return s;
}

std::vector<uint8_t> Utf16(const std::u16string& text, bool bigEndian)
{
    std::vector<uint8_t> out;
    for (char16_t u : text) {
        out.push_back(static_cast<uint8_t>(bigEndian ? u >> 8 : u & 0xFF));
        out.push_back(static_cast<uint8_t>(bigEndian ? u & 0xFF : u >> 8));
    }
    return out;
}

// Fails every read that touches bytes from `failFrom` on.
class FailingStream : public TVuStream {
public:
    FailingStream(int64_t size, int64_t failFrom) : size_(size), failFrom_(failFrom) {}
    int64_t Size() const override { return size_; }
    int64_t ReadAt(int64_t offset, void* buffer, int64_t count) override
    {
        if (offset + count > failFrom_)
            return -1;
        std::memset(buffer, 'x', static_cast<size_t>(count));
        return count;
    }

private:
    int64_t size_, failFrom_;
};

struct Searcher {
    explicit Searcher(std::string data) : stream(std::move(data)) { search.SetSourceStream(&stream); }
    explicit Searcher(std::vector<uint8_t> data) : stream(std::move(data)) { search.SetSourceStream(&stream); }
    int64_t At(const std::u16string& text, TVuSearchOptions options, int64_t start = 0,
               TVuEncoding enc = vEncANSI)
    {
        return search.FindAt(text, enc, options, start);
    }
    TVuMemoryStream stream;
    TVuStreamSearch search;
};

}  // namespace

TEST(StreamSearch, BlockBorders)
{
    // Starts 3 bytes before the end of the first block: found in the next.
    Searcher s(Filled(3 * B, {{B - 3, "needle"}}));
    EXPECT_EQ(s.At(u"needle", 0), B - 3);
    EXPECT_EQ(s.At(u"needle", ssoBackward, 3 * B - 1), B - 3);

    // A whole word ending exactly at the first block's end is found.
    Searcher w(Filled(2 * B, {{B - 4, " cat "}}));
    EXPECT_EQ(w.At(u"cat", ssoWholeWords), B - 3);
    EXPECT_EQ(w.At(u"cat", ssoWholeWords | ssoBackward, 2 * B - 1), B - 3);
    Searcher w2(Filled(2 * B, {{B - 4, " catx"}}));
    EXPECT_EQ(w2.At(u"cat", ssoWholeWords), -1);
    EXPECT_EQ(w2.At(u"cat", ssoWholeWords | ssoBackward, 2 * B - 1), -1);

    // "cat" inside a word stays inside it even where a block starts right
    // at it (forward: the second block starts len + 1 = 4 bytes before the
    // first one ends, at "cat" of "concat") or ends right after it.
    Searcher f(Filled(2 * B, {{B - 7, "concat "}}));
    EXPECT_EQ(f.At(u"cat", ssoWholeWords), -1);
    // Backward from the end the second block is [B + 4, 2B + 4): "cat" at
    // 2B + 1 is its last candidate and the "x" after it lies beyond.
    Searcher b(Filled(3 * B, {{2 * B, " catx"}}));
    EXPECT_EQ(b.At(u"cat", ssoWholeWords | ssoBackward, 3 * B), -1);
    EXPECT_EQ(b.At(u"cat", ssoBackward, 3 * B), 2 * B + 1);
}

TEST(StreamSearch, WholeWordsAndCase)
{
    Searcher s(std::string("concat cat Cat"));
    EXPECT_EQ(s.At(u"cat", ssoWholeWords | ssoMatchCase), 7);
    EXPECT_EQ(s.At(u"cat", ssoWholeWords | ssoMatchCase | ssoBackward, 100), 7);
    EXPECT_EQ(s.At(u"cat", ssoWholeWords | ssoBackward, 100), 11);
    EXPECT_EQ(s.At(u"CAT", 0), 3);
    EXPECT_EQ(s.At(u"CAT", ssoMatchCase), -1);
    // Starting inside a word does not make its tail a word.
    EXPECT_EQ(s.At(u"cat", ssoWholeWords, 3), 7);
}

TEST(StreamSearch, FindNextOverOverlappingMatches)
{
    Searcher s(std::string("aaaa"));
    ASSERT_TRUE(s.search.FindFirstMatch(u"aa", vEncANSI, ssoMatchCase, 0));
    std::vector<int64_t> forward{s.search.MatchStart()};
    while (s.search.FindNextMatch())
        forward.push_back(s.search.MatchStart());
    EXPECT_EQ(forward, (std::vector<int64_t>{0, 1, 2}));
    EXPECT_EQ(s.search.MatchStart(), -1);
    EXPECT_EQ(s.search.MatchLength(), 0);

    // Backward from offset 0 starts at the end.
    ASSERT_TRUE(s.search.FindFirstMatch(u"aa", vEncANSI, ssoBackward, 0));
    EXPECT_EQ(s.search.MatchLength(), 2);
    std::vector<int64_t> backward{s.search.MatchStart()};
    while (s.search.FindNextMatch())
        backward.push_back(s.search.MatchStart());
    EXPECT_EQ(backward, (std::vector<int64_t>{2, 1, 0}));
}

TEST(StreamSearch, Utf16)
{
    const std::u16string text = u"Ёжик and ЖУК, жук";
    for (bool be : {false, true}) {
        const TVuEncoding enc = be ? vEncUnicodeBE : vEncUnicodeLE;
        Searcher s(Utf16(text, be));
        EXPECT_EQ(s.At(u"жук", ssoWholeWords, 0, enc), 2 * 9);
        EXPECT_EQ(s.At(u"жук", ssoMatchCase, 0, enc), 2 * 14);
        EXPECT_EQ(s.At(u"ЖИК", ssoBackward, 100, enc), 2 * 1);
        EXPECT_EQ(s.At(u"and", 0, 1, enc), 2 * 5);  // odd start rounds down
        ASSERT_TRUE(s.search.FindFirstMatch(u"жук", enc, 0, 0));
        EXPECT_EQ(s.search.MatchLength(), 6);
    }
    // Bytes of one unit split across two units never match.
    Searcher odd(std::vector<uint8_t>{0, 'A', 0, 'B', 0});
    EXPECT_EQ(odd.At(u"A", 0, 0, vEncUnicodeLE), -1);
    EXPECT_EQ(odd.At(u"\u4200", 0, 0, vEncUnicodeLE), 2);
    Searcher one(std::string("A"));
    EXPECT_EQ(one.At(u"A", 0, 0, vEncUnicodeLE), -1);
}

TEST(StreamSearch, CharactersTheFileEncodingHasOrLacks)
{
    // KOI8-R "жук ?" searched with an ANSI code page that has no Cyrillic.
    setenv("PEEKWELL_ACP", "1252", 1);
    Searcher s(std::string("\xD6\xD5\xCB ?"));
    EXPECT_EQ(s.At(u"ЖУК", 0, 0, vEncCyrKOI8R), 0);
    EXPECT_EQ(s.At(u"?", 0, 0, vEncCyrKOI8R), 4);
    EXPECT_EQ(s.At(u"ж", ssoWholeWords, 0, vEncCyrKOI8R), -1);  // Cyrillic letters are word characters
    EXPECT_EQ(s.At(u"ω", 0, 0, vEncCyrKOI8R), -1);  // KOI8-R has no omega
    unsetenv("PEEKWELL_ACP");
    // An encoding no converter has finds nothing, "?" included.
    EXPECT_EQ(s.At(u"?", 0, 0, vEncArMac), -1);
    EXPECT_EQ(s.At(u"\xD6", 0, 0, vEncArMac), -1);
}

TEST(StreamSearch, ProgressAndCancel)
{
    Searcher s(Filled(3 * B, {}));
    std::vector<int64_t> seen;
    s.search.OnProgress = [&](int64_t pos, int64_t max, bool& go) {
        EXPECT_EQ(max, 3 * B);
        seen.push_back(pos);
        go = seen.size() < 2;
    };
    EXPECT_EQ(s.At(u"needle", 0), -1);
    EXPECT_EQ(seen, (std::vector<int64_t>{0, 0}));
    seen.clear();
    s.search.OnProgress = [&](int64_t pos, int64_t, bool&) { seen.push_back(pos); };
    EXPECT_EQ(s.At(u"needle", 0), -1);
    // Before the first block, then after each block: blocks step back by
    // the text length + 1 so each overlaps the one before.
    EXPECT_EQ(seen, (std::vector<int64_t>{0, 0, B - 7, 2 * B - 14, 3 * B - 21}));
}

TEST(StreamSearch, ErrorsAndAssertions)
{
    FailingStream failing(3 * B, B + 100);
    TVuStreamSearch search;
    search.SetSourceStream(&failing);
    try {
        search.FindAt(u"needle", vEncANSI, 0, 0);
        FAIL() << "no read error";
    } catch (const EVuSearchReadError& e) {
        EXPECT_STREQ(e.what(), "Read error at offset 65529");
        EXPECT_EQ(e.Offset, B - 7);
    }

    TVuStreamSearch empty;
    EXPECT_EQ(empty.FindAt(u"", vEncANSI, 0, 0), -1);
    try {
        empty.FindAt(u"x", vEncANSI, 0, 0);
        FAIL();
    } catch (const std::logic_error& e) {
        EXPECT_STREQ(e.what(), "Stream object not initialized");
    }
    try {
        empty.FindNextMatch();
        FAIL();
    } catch (const std::logic_error& e) {
        EXPECT_STREQ(e.what(), "Search text is empty");
    }
    Searcher s(std::string("abc"));
    EXPECT_THROW(s.At(std::u16string(TVuStreamSearch::kMaxTextBytes + 1, u'a'), 0), std::length_error);
    EXPECT_THROW(s.At(std::u16string(TVuStreamSearch::kMaxTextBytes / 2 + 1, u'a'), 0, 0, vEncUnicodeLE),
                 std::length_error);

    try {
        search.SetSourceFile("/nonexistent/peekwell.txt");
        FAIL();
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Cannot open file: /nonexistent/peekwell.txt");
    }
    EXPECT_EQ(search.Stream(), nullptr);
    EXPECT_EQ(search.FileName(), "/nonexistent/peekwell.txt");
}

// The block scan against a plain search of the whole text, on a small
// alphabet so that candidates, matches and near-misses are dense around
// every block border and vector-width tail.
TEST(StreamSearch, AgreesWithAPlainSearchOfTheWholeText)
{
    std::mt19937 rng(7);
    const char alphabet[] = "abAB .";
    std::string data(2 * B + 777, ' ');
    for (auto& c : data)
        c = alphabet[rng() % 6];
    const std::u16string wide = Utf8ToUtf16(data);
    std::u16string folded = wide;
    LowerInPlace(folded);
    Searcher s(data);
    Searcher u(Utf16(wide, false));
    for (int round = 0; round < 300; ++round) {
        std::u16string pattern;
        const size_t len = 1 + rng() % 5;
        for (size_t k = 0; k < len; ++k)
            pattern.push_back(static_cast<char16_t>(alphabet[rng() % 4]));
        const TVuSearchOptions options = static_cast<TVuSearchOptions>(rng() % 8);
        const int64_t start = static_cast<int64_t>(rng() % data.size());
        const bool backward = options & ssoBackward, match = options & ssoMatchCase;
        std::u16string p = pattern;
        if (!match)
            LowerInPlace(p);
        const std::u16string& hay = match ? wide : folded;
        auto isWord = [&](int64_t i) {
            if (!(options & ssoWholeWords))
                return true;
            const bool before = i == 0 || IsWordDelimiter(hay[i - 1]);
            const size_t end = static_cast<size_t>(i) + p.size();
            return before && (end >= hay.size() || IsWordDelimiter(hay[end]));
        };
        int64_t expected = -1;
        const int64_t n = static_cast<int64_t>(hay.size()), m = static_cast<int64_t>(p.size());
        if (!backward) {
            for (int64_t i = start; i + m <= n && expected < 0; ++i)
                if (hay.compare(i, m, p) == 0 && isWord(i))
                    expected = i;
        } else {
            for (int64_t i = std::min(start + 1 - m, n - m); i >= 0 && expected < 0; --i)
                if (hay.compare(i, m, p) == 0 && isWord(i))
                    expected = i;
        }
        SCOPED_TRACE(Utf16ToUtf8(pattern) + " options " + std::to_string(options) + " from " +
                     std::to_string(start));
        ASSERT_EQ(s.At(pattern, options, start), expected);
        ASSERT_EQ(u.At(pattern, options, 2 * start, vEncUnicodeLE), expected < 0 ? -1 : 2 * expected);
    }
}

namespace {

// A UTF-8 text as the view reads it: each character's code point and the
// byte offset it starts at (one entry more: the end).
struct DecodedUtf8 {
    std::vector<char32_t> chars;
    std::vector<int64_t> starts;
};

DecodedUtf8 Decode(const std::string& data)
{
    DecodedUtf8 d;
    const auto* p = reinterpret_cast<const uint8_t*>(data.data());
    for (size_t i = 0; i < data.size();) {
        char32_t cp = 0;
        d.starts.push_back(static_cast<int64_t>(i));
        i += static_cast<size_t>(Utf8DecodeChar(p + i, data.size() - i, cp));
        d.chars.push_back(cp);
    }
    d.starts.push_back(static_cast<int64_t>(data.size()));
    return d;
}

std::vector<char32_t> CodePoints(const std::u16string& text)
{
    const std::string bytes = Utf16ToUtf8(text);
    return Decode(bytes).chars;
}

char32_t Folded(char32_t cp) { return cp < 0x10000 ? LowerChar(static_cast<char16_t>(cp)) : cp; }

bool Delimits(char32_t cp) { return cp < 0x80 && IsWordDelimiter(static_cast<char16_t>(cp)); }

}  // namespace

TEST(StreamSearch, Utf8WordsInBytes)
{
    const std::string text = Utf16ToUtf8(u"Ёжик and ЖУК, жук");  // "Ёжик " is 9 bytes
    Searcher s(text);
    EXPECT_EQ(s.At(u"жук", ssoWholeWords, 0, vEncUTF8), 13);
    EXPECT_EQ(s.At(u"жук", ssoMatchCase, 0, vEncUTF8), 21);
    EXPECT_EQ(s.At(u"ЖИК", ssoBackward, 0, vEncUTF8), -1);  // backward from byte 0 holds nothing
    EXPECT_EQ(s.At(u"ЖИК", ssoBackward, 100, vEncUTF8), 2);
    EXPECT_EQ(s.At(u"жик", ssoBackward | ssoMatchCase, 7, vEncUTF8), 2);   // inside "к": its end counts
    EXPECT_EQ(s.At(u"жик", ssoBackward | ssoMatchCase, 5, vEncUTF8), -1);  // "к" not reached
    EXPECT_EQ(s.At(u"and", 0, 1, vEncUTF8), 9);
    EXPECT_EQ(s.At(u"ик", ssoWholeWords, 0, vEncUTF8), -1);  // Cyrillic letters are word characters
    ASSERT_TRUE(s.search.FindFirstMatch(u"жук", vEncUTF8, 0, 0));
    EXPECT_EQ(s.search.MatchStart(), 13);
    EXPECT_EQ(s.search.MatchLength(), 6);
    ASSERT_TRUE(s.search.FindNextMatch());
    EXPECT_EQ(s.search.MatchStart(), 21);
    EXPECT_FALSE(s.search.FindNextMatch());
    ASSERT_TRUE(s.search.FindFirstMatch(u"ж", vEncUTF8, ssoBackward, 0));
    std::vector<int64_t> backward{s.search.MatchStart()};
    while (s.search.FindNextMatch())
        backward.push_back(s.search.MatchStart());
    EXPECT_EQ(backward, (std::vector<int64_t>{21, 13, 2}));

    // Folding may change a character's length: the Kelvin sign (3 bytes)
    // folds to "k", and the match's length is what the file holds.
    Searcher kelvin(std::string("x \xE2\x84\xAA" "elvin"));
    ASSERT_TRUE(kelvin.search.FindFirstMatch(u"KELVIN", vEncUTF8, 0, 0));
    EXPECT_EQ(kelvin.search.MatchStart(), 2);
    EXPECT_EQ(kelvin.search.MatchLength(), 8);
    // Invalid bytes are U+FFFD characters of their own; the text cannot hold
    // U+FFFD or a lone surrogate, so searching for one finds nothing.
    Searcher broken(std::string("\xD0\xD0\xB6\x80\xB6"));
    EXPECT_EQ(broken.At(u"ж", 0, 0, vEncUTF8), 1);
    EXPECT_EQ(broken.At(u"\uFFFD", 0, 0, vEncUTF8), -1);
    EXPECT_EQ(broken.At(u"\xD800", 0, 0, vEncUTF8), -1);
    // A sequence across a block border is found whole, forward and backward.
    Searcher border(Filled(3 * B, {{B - 3, Utf16ToUtf8(u"中文😀")}}));
    EXPECT_EQ(border.At(u"中文😀", ssoWholeWords, 0, vEncUTF8), -1);  // "x" around it
    EXPECT_EQ(border.At(u"中文😀", 0, 0, vEncUTF8), B - 3);
    EXPECT_EQ(border.At(u"文😀", ssoBackward, 3 * B - 1, vEncUTF8), B);
    EXPECT_THROW(s.At(std::u16string(TVuStreamSearch::kMaxTextBytes / 2 + 1, u'ж'), 0, 0, vEncUTF8),
                 std::length_error);
}

// The byte scan against a plain search of the decoded text, on a small
// alphabet of 1- to 4-byte characters, case pairs, a character whose other
// case is shorter, and invalid bytes, across block borders.
TEST(StreamSearch, Utf8AgreesWithASearchOfTheDecodedText)
{
    std::mt19937 rng(11);
    const std::vector<std::string> pieces = {"a",          "A",    "k",    " ",        ".",   "\xD0\xB6",
                                             "\xD0\x96",   "\xE4\xB8\xAD", "\xF0\x9F\x98\x80", "\xE2\x84\xAA",
                                             "\x80",       "\xD0", "\xE4\xB8"};
    const std::vector<std::u16string> letters = {u"a", u"A", u"k", u"K", u"ж", u"Ж", u"中", u"😀", u" "};
    std::string data;
    while (data.size() < size_t(2 * B + 777))
        data += pieces[rng() % pieces.size()];
    const DecodedUtf8 d = Decode(data);
    Searcher s(data);
    const int64_t n = static_cast<int64_t>(d.chars.size());
    for (int round = 0; round < 300; ++round) {
        std::u16string pattern;
        const size_t len = 1 + rng() % 4;
        for (size_t k = 0; k < len; ++k)
            pattern += letters[rng() % letters.size()];
        const TVuSearchOptions options = static_cast<TVuSearchOptions>(rng() % 8);
        const bool backward = options & ssoBackward, match = options & ssoMatchCase;
        // Backward from 0 would mean from the end.
        const int64_t start = static_cast<int64_t>(rng() % (data.size() - 1)) + (backward ? 1 : 0);
        std::vector<char32_t> p = CodePoints(pattern);
        const int64_t m = static_cast<int64_t>(p.size());
        auto same = [&](int64_t i) {
            for (int64_t k = 0; k < m; ++k) {
                const char32_t a = d.chars[size_t(i + k)], b = p[size_t(k)];
                if (match ? a != b : Folded(a) != Folded(b))
                    return false;
            }
            if (!(options & ssoWholeWords))
                return true;
            return (i == 0 || Delimits(d.chars[size_t(i - 1)])) && (i + m == n || Delimits(d.chars[size_t(i + m)]));
        };
        int64_t expected = -1, expectedBytes = 0;
        if (!backward) {
            for (int64_t i = 0; i + m <= n && expected < 0; ++i)
                if (d.starts[size_t(i)] >= start && same(i))
                    expected = i;
        } else {
            // The end of the character holding `start`.
            int64_t limit = 0;
            while (d.starts[size_t(limit)] <= start)
                ++limit;
            for (int64_t i = limit - m; i >= 0 && expected < 0; --i)
                if (same(i))
                    expected = i;
        }
        if (expected >= 0) {
            expectedBytes = d.starts[size_t(expected + m)] - d.starts[size_t(expected)];
            expected = d.starts[size_t(expected)];
        }
        SCOPED_TRACE(Utf16ToUtf8(pattern) + " options " + std::to_string(options) + " from " +
                     std::to_string(start));
        ASSERT_EQ(s.search.Find(pattern, vEncUTF8, options, start), expected >= 0);
        if (expected >= 0) {
            ASSERT_EQ(s.search.MatchStart(), expected);
            ASSERT_EQ(s.search.MatchLength(), expectedBytes);
        }
    }
}
