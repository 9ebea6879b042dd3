#include <gtest/gtest.h>

#include <iconv.h>
#include <stdexcept>
#include <unicode/ucnv.h>

#include "EnvGuard.h"
#include "text/core/VuxBuiltinTables.h"
#include "text/core/VuxCodepages.h"
#include "text/core/VuxConverters.h"

namespace {

TVuEncoding Enc(int i) { return static_cast<TVuEncoding>(i); }

// What the converter that built a table says byte `b` is, asked afresh
// through its own API: the whole 256-byte string is converted in one call
// by a converter opened for this check.
std::u16string ConvertAllBytes(const TVuConverterSource& src)
{
    std::string in(256, '\0');
    for (int b = 0; b < 256; ++b)
        in[b] = static_cast<char>(b);
    std::u16string out;
    if (src.kind == TVuConverterSource::kIcu) {
        UErrorCode err = U_ZERO_ERROR;
        UConverter* cnv = ucnv_open(src.name.c_str(), &err);
        EXPECT_TRUE(U_SUCCESS(err)) << src.name;
        ucnv_setToUCallBack(cnv, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &err);
        for (int b = 0; b < 256; ++b) {
            UChar u[4];
            UErrorCode e = U_ZERO_ERROR;
            int32_t n = ucnv_toUChars(cnv, u, 4, &in[b], 1, &e);
            out.push_back(U_SUCCESS(e) && n == 1 ? u[0] : u'\uFFFD');
        }
        ucnv_close(cnv);
        return out;
    }
    for (int b = 0; b < 256; ++b) {
        iconv_t cd = iconv_open("UTF-16LE", src.name.c_str());
        EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1)) << src.name;
        char* inp = &in[b];
        size_t inLeft = 1;
        char16_t buf[4];
        char* outp = reinterpret_cast<char*>(buf);
        size_t outLeft = sizeof buf;
        bool ok = iconv(cd, &inp, &inLeft, &outp, &outLeft) != static_cast<size_t>(-1) &&
                  iconv(cd, nullptr, nullptr, &outp, &outLeft) != static_cast<size_t>(-1);
        out.push_back(ok && outLeft == sizeof buf - 2 ? buf[0] : u'\uFFFD');
        iconv_close(cd);
    }
    return out;
}

}  // namespace

// Every encoding with its own code page: supported exactly when a converter
// has it, and then its table is that converter's answer for all 256 bytes.
TEST(Codepages, EverySupportedTableAgreesWithItsConverter)
{
    for (int e = vEncWEuroDOS; e < vEncUnicodeLE; ++e) {
        SCOPED_TRACE(EncodingName(Enc(e)));
        TVuConverterSource src{};
        const bool built = BuildCodepageTable(kEncodingTable[e].codepage, &src).has_value();
        ASSERT_EQ(IsEncodingSupported(Enc(e)), built);
        if (!built)
            continue;
        const char16_t* table = EncodingTable(Enc(e));
        ASSERT_NE(table, nullptr);
        const std::u16string expected = ConvertAllBytes(src);
        for (int b = 0; b < 256; ++b)
            ASSERT_EQ(table[b], expected[b]) << src.name << " byte " << b;
    }
}

// One telling byte per encoding, from the published charts, so that a
// converter name that resolves to the wrong code page cannot pass.
TEST(Codepages, EachEncodingReachesTheRightCodepage)
{
    struct Row { TVuEncoding enc; unsigned char byte; char16_t ch; };
    const Row rows[] = {
        {vEncWEuroDOS, 0x80, 0x00C7}, {vEncWEuroISO1, 0xE9, 0x00E9}, {vEncWEuroISO2, 0xA4, 0x20AC},
        {vEncWEuroMac, 0x80, 0x00C4}, {vEncWEuroWin, 0x80, 0x20AC}, {vEncCEuroDOS, 0xA5, 0x0105},
        {vEncCEuroISO, 0xB1, 0x0105}, {vEncCEuroMac, 0xC1, 0x0143}, {vEncCEuroWin, 0xB9, 0x0105},
        {vEncBalDOS, 0x80, 0x0106}, {vEncBalISO1, 0xE0, 0x0101}, {vEncBalISO2, 0xE0, 0x0105},
        {vEncBalWin, 0xE0, 0x0105}, {vEncCyrDOS, 0x80, 0x0410}, {vEncCyrISO, 0xB0, 0x0410},
        {vEncCyrKOI8R, 0xC1, 0x0430}, {vEncCyrKOI8U, 0xA4, 0x0454}, {vEncCyrMacC, 0xA2, 0x00A2},
        {vEncCyrMacU, 0xA2, 0x0490}, {vEncCyrWin, 0xC0, 0x0410}, {vEncGreekDOS, 0x80, 0x0391},
        {vEncGreekISO, 0xC1, 0x0391}, {vEncGreekMac, 0xC1, 0x039D}, {vEncGreekWin, 0xC1, 0x0391},
        {vEncLatin3, 0xA1, 0x0126}, {vEncTurDOS, 0x8D, 0x0131}, {vEncTurISO, 0xFD, 0x0131},
        {vEncTurMac, 0xDA, 0x011E}, {vEncTurWin, 0xFD, 0x0131}, {vEncArDOS1, 0xC1, 0x0621},
        {vEncArDOS2, 0xE0, 0x0636}, {vEncArDOS3, 0xC1, 0xFE80}, {vEncArISO, 0xC1, 0x0621},
        {vEncArWin, 0xC1, 0x0621}, {vEncHebDOS, 0x80, 0x05D0}, {vEncHebISO1, 0xE0, 0x05D0},
        {vEncHebISO2, 0xE0, 0x05D0}, {vEncHebWin, 0xE0, 0x05D0}, {vEncThai, 0xA1, 0x0E01},
        {vEncViet, 0xC3, 0x0102}, {vEncEBUSCanada, 0x4A, 0x00A2}, {vEncEBInternational, 0x4A, 0x005B},
        {vEncEBMultilingualLatin2, 0x80, 0x02D8}, {vEncEBGreekModern, 0x80, 0x0385},
        {vEncEBTurkishLatin5, 0x4A, 0x00C7}, {vEncEBLatin1OpenSystem, 0xAD, 0x005B},
        {vEncEBGermany, 0x4A, 0x00C4}, {vEncEBDenmarkNorway, 0x80, 0x0040},
        {vEncEBFinlandSweden, 0x4A, 0x00A7}, {vEncEBItaly, 0xE0, 0x00E7},
        {vEncEBLatinAmericaSpain, 0xC1, 0x0041}, {vEncEBUnitedKingdom, 0x4A, 0x0024},
        {vEncEBJapaneseKatakanaExtended, 0x4A, 0x00A3}, {vEncEBFrance, 0x4A, 0x00B0},
        {vEncEBArabic, 0x80, 0x0634}, {vEncEBGreek, 0x80, 0x00C4}, {vEncEBHebrew, 0xC1, 0x0041},
        {vEncEBThai, 0x80, 0x0E4F}, {vEncEBIcelandic, 0x4A, 0x00FE}, {vEncEBCyrillicRussian, 0x80, 0x0446},
        {vEncEBTurkish, 0x80, 0x02D8}, {vEncEBCyrillicSerbianBulgarian, 0x80, 0x0446},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(EncodingName(r.enc));
        ASSERT_TRUE(IsEncodingSupported(r.enc));
        EXPECT_EQ(EncodingTable(r.enc)[r.byte], r.ch);
    }
    // Neither glibc nor ICU has these; they convert to a lone "?".
    for (TVuEncoding enc : {vEncArMac, vEncHebMac, vEncEBKoreanExtended}) {
        EXPECT_FALSE(IsEncodingSupported(enc)) << EncodingName(enc);
        EXPECT_EQ(EncodingToUnicode("abc", enc), u"?");
    }
}

TEST(Codepages, NamesGroupsAndCodepages)
{
    EXPECT_EQ(EncodingName(vEncANSI), "ANSI (Windows)");
    EXPECT_EQ(EncodingName(vEncHebISO1), "Hebrew (ISO 8859-8, ISO-Logical)");
    EXPECT_EQ(EncodingName(vEncCyrKOI8R), "Cyrillic (KOI8-R)");
    EXPECT_EQ(EncodingName(vEncEBUSCanada), "IBM EBCDIC (US-Canada)");
    EXPECT_EQ(EncodingName(vEncUnicodeLE), "Unicode (UTF-16 LE)");
    EXPECT_EQ(EncodingName(vEncUTF8), "Unicode (UTF-8)");
    EXPECT_EQ(int(vEncUTF8), 73);  // after every stored ordinal
    EXPECT_EQ(EncodingCodepage(vEncUTF8), 65001);
    EXPECT_EQ(EncodingCodepage(vEncOEM), 1);
    EXPECT_EQ(EncodingCodepage(vEncEBCyrillicSerbianBulgarian), 21025);
    for (TVuEncoding enc : {vEncANSI, vEncKOI8, vEncUnicodeBE}) {
        try {
            EncodingCodepage(enc);
            FAIL() << "no assertion for " << EncodingName(enc);
        } catch (const std::logic_error& e) {
            EXPECT_STREQ(e.what(), "Invalid codepage specified: CodepageID");
        }
    }
    // The first six always convert; UTF-16 is read by the view itself.
    for (int e = vEncANSI; e <= vEncMac; ++e)
        EXPECT_TRUE(IsEncodingSupported(Enc(e)));
    EXPECT_FALSE(IsEncodingSupported(vEncUnicodeLE));
    EXPECT_FALSE(IsEncodingSupported(vEncUnicodeBE));
    // UTF-8 always converts, through its own decoder: there is no byte table.
    EXPECT_TRUE(IsEncodingSupported(vEncUTF8));
    EXPECT_EQ(EncodingTable(vEncUTF8), nullptr);
}

TEST(Codepages, ConversionEdges)
{
    EXPECT_EQ(EncodingToUnicode("", vEncWEuroWin), u"");
    EXPECT_EQ(EncodingToUnicode("", vEncArMac), u"");
    EXPECT_EQ(EncodingToUnicode("\x80z", vEncWEuroWin), u"\u20ACz");
    // Undefined bytes become U+FFFD, one per byte.
    EXPECT_EQ(EncodingToUnicode("\x81", vEncWEuroWin), u"\uFFFD");
    // Hebrew marks stay separate characters: each byte converts alone.
    EXPECT_EQ(EncodingToUnicode("\xE0\xC8", vEncHebWin), u"\u05D0\u05B8");
    try {
        EncodingToUnicode("a", vEncUnicodeLE);
        FAIL();
    } catch (const std::logic_error& e) {
        EXPECT_STREQ(e.what(), "Unicode encodings can't be passed to CodepageToANSI");
    }
    EXPECT_THROW(EncodingTable(vEncUnicodeBE), std::logic_error);

    const char le[] = {'A', 0, 'B', 0, 'C'};
    EXPECT_EQ(BytesToUnicode(le, 5, false), u"AB");
    EXPECT_EQ(BytesToUnicode(le, 3, false), u"A");
    EXPECT_EQ(BytesToUnicode(le, 1, false), u"");
    const char be[] = {0, 'A'};
    EXPECT_EQ(BytesToUnicode(be, 2, true), u"A");
}

TEST(Codepages, BuiltinTablesGiveTheirAnsiBytes)
{
    EXPECT_EQ(BuiltinByteMap(vEncKOI8)[0xC1], 0xE0);
    EXPECT_EQ(BuiltinByteMap(vEncKOI8)[0x41], 0x41);
    EXPECT_EQ(BuiltinByteMap(vEncMac)[0x80], 0xC4);
    EXPECT_EQ(BuiltinByteMap(vEncEBCDIC)[0xC1], 0x41);
    EXPECT_EQ(BuiltinByteMap(vEncEBCDIC)[0x40], 0x20);
    EXPECT_EQ(BuiltinByteMap(vEncISO)[0x80], 0x3F);
    EXPECT_EQ(BuiltinByteMap(vEncISO)[0x81], 0x81);
    EXPECT_EQ(BuiltinByteMap(vEncISO)[0xE9], 0xE9);
    EXPECT_EQ(BuiltinByteMap(vEncANSI), nullptr);

    // Read as Windows-1251, the KOI8 map gives the same Cyrillic letters
    // as the real KOI8-R table.
    EnvGuard env{{"PEEKWELL_ACP", "1251"}};
    const char16_t* ansi = EncodingTable(vEncANSI);
    const char16_t* koi8r = EncodingTable(vEncCyrKOI8R);
    for (int b = 0xC0; b <= 0xFF; ++b)
        EXPECT_EQ(ansi[BuiltinByteMap(vEncKOI8)[b]], koi8r[b]) << b;
}

TEST(Codepages, SystemCodepagesFollowTheLocale)
{
    struct Row { const char* lang; int ansi, oem, mac; };
    const Row rows[] = {
        {"ru_RU.UTF-8", 1251, 866, 10007}, {"pl_PL.UTF-8", 1250, 852, 10029}, {"el_GR", 1253, 737, 10006},
        {"tr_TR.UTF-8", 1254, 857, 10081}, {"he_IL.UTF-8", 1255, 862, 10005}, {"ar_EG", 1256, 720, 10004},
        {"lt_LT", 1257, 775, 10000},       {"th_TH", 874, 874, 10000},         {"vi_VN", 1258, 1258, 10000},
        {"en_US.UTF-8", 1252, 437, 10000}, {"de_DE@euro", 1252, 850, 10000},   {"C.UTF-8", 1252, 437, 10000},
    };
    for (const Row& r : rows) {
        EnvGuard env{{"LC_ALL", nullptr}, {"LC_CTYPE", nullptr}, {"LANG", r.lang},
                     {"PEEKWELL_ACP", nullptr}, {"PEEKWELL_OEMCP", nullptr}};
        EXPECT_EQ(SystemAnsiCodepage(), r.ansi) << r.lang;
        EXPECT_EQ(SystemOemCodepage(), r.oem) << r.lang;
        EXPECT_EQ(SystemMacCodepage(), r.mac) << r.lang;
    }
    EnvGuard env{{"LC_ALL", "ru_RU.UTF-8"}, {"PEEKWELL_ACP", "1253"}, {"PEEKWELL_OEMCP", "850"}};
    EXPECT_EQ(SystemAnsiCodepage(), 1253);
    EXPECT_EQ(SystemOemCodepage(), 850);
    EXPECT_EQ(EncodingToUnicode("\xC1", vEncANSI), u"\u0391");
    EXPECT_EQ(EncodingToUnicode("\x9B", vEncOEM), u"\u00F8");
    // An override that is no single-byte code page is ignored.
    for (const char* bad : {"65001", "abc", "0", "99999"}) {
        EnvGuard over{{"PEEKWELL_ACP", bad}};
        EXPECT_EQ(SystemAnsiCodepage(), 1251) << bad;
    }
}

TEST(Codepages, IsoFollowsTheAnsiCodepage)
{
    struct Row { const char* acp; char16_t atB0; };
    // Byte 0xB0: ISO 8859-5 "А", 8859-7 "°", 8859-1 "°", 8859-2 "°".
    const Row rows[] = {{"1251", 0x0410}, {"1253", 0x00B0}, {"1252", 0x00B0}};
    for (const Row& r : rows) {
        EnvGuard env{{"PEEKWELL_ACP", r.acp}};
        EXPECT_EQ(EncodingToUnicode("\xB0", vEncISO)[0], r.atB0) << r.acp;
    }
    EnvGuard env{{"PEEKWELL_ACP", "1250"}};
    EXPECT_EQ(EncodingToUnicode("\xB1", vEncISO), u"\u0105");  // 8859-2 "ą"
    EXPECT_EQ(EncodingToUnicode("\xC1", vEncKOI8), u"\u0430");
    EXPECT_EQ(EncodingToUnicode("\xC1", vEncEBCDIC), u"A");
}

TEST(Codepages, AnyCodepageNumber)
{
    EXPECT_NE(CodepageTable(1251), nullptr);
    EXPECT_EQ(CodepageTable(1251)[0xC0], 0x0410);
    EXPECT_EQ(CodepageTable(932), nullptr);  // multi-byte: no 256-entry table
    EXPECT_EQ(CodepageTable(12345), nullptr);
    EXPECT_EQ(CodepageToUnicode("\x82\xA0", 932), u"\u3042");  // Shift-JIS "あ"
    EXPECT_EQ(CodepageToUnicode("\xD0\xB6", 65001), u"\u0436");
    EXPECT_EQ(CodepageToUnicode("abc", 12345), u"?");
    EXPECT_EQ(CodepageToUnicode("\xC0", 1251), u"\u0410");

    EnvGuard env{{"PEEKWELL_ACP", "1251"}};
    EXPECT_EQ(UnicodeToAnsi(u"\u0410b\u20AC\u4E00"), "\xC0" "b\x88?");
    EXPECT_EQ(UnicodeToCodepage(u"\u0410", 866), "\x80");
}
