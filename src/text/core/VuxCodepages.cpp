#include "text/core/VuxCodepages.h"

#include <map>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <utility>
#include <vector>

#include "text/core/VuxBuiltinTables.h"
#include "text/core/VuxConverters.h"
#include "text/core/VuxSProc.h"

const TVuEncodingRec kEncodingTable[kEncodingCount] = {
    {-1, 0, "ANSI (Windows)"},
    {1, 0, "OEM (DOS)"},
    {-1, 0, "EBCDIC"},
    {-1, 0, "KOI8"},
    {-1, 0, "ISO"},
    {2, 0, "Mac"},
    {850, 1, "IBM-850"},
    {28591, 1, "ISO 8859-1"},
    {28605, 1, "ISO 8859-15"},
    {10000, 1, "MacRoman"},
    {1252, 1, "Windows-1252"},
    {852, 2, "IBM-852"},
    {28592, 2, "ISO 8859-2"},
    {10029, 2, "MacCE"},
    {1250, 2, "Windows-1250"},
    {775, 3, "IBM-775"},
    {28594, 3, "ISO 8859-4"},
    {28603, 3, "ISO 8859-13"},
    {1257, 3, "Windows-1257"},
    {866, 4, "IBM-866"},
    {28595, 4, "ISO 8859-5"},
    {20866, 4, "KOI8-R"},
    {21866, 4, "KOI8-U"},
    {10007, 4, "MacCyrillic"},
    {10017, 4, "MacUkrainian"},
    {1251, 4, "Windows-1251"},
    {737, 5, "IBM-737"},
    {28597, 5, "ISO 8859-7"},
    {10006, 5, "MacGreek"},
    {1253, 5, "Windows-1253"},
    {28593, 6, "ISO 8859-3"},
    {857, 7, "IBM-857"},
    {28599, 7, "ISO 8859-9"},
    {10081, 7, "MacTurkish"},
    {1254, 7, "Windows-1254"},
    {708, 8, "ASMO-708"},
    {720, 8, "DOS-720"},
    {864, 8, "IBM-864"},
    {28596, 8, "ISO 8859-6"},
    {10004, 8, "MacArabic"},
    {1256, 8, "Windows-1256"},
    {862, 9, "IBM-862"},
    {38598, 9, "ISO 8859-8, ISO-Logical"},
    {28598, 9, "ISO 8859-8, ISO-Visual"},
    {10005, 9, "MacHebrew"},
    {1255, 9, "Windows-1255"},
    {874, 10, "Windows-874"},
    {1258, 11, "Windows-1258"},
    {37, 12, "US-Canada"},
    {500, 12, "International"},
    {870, 12, "Multilingual Latin 2"},
    {875, 12, "Greek Modern"},
    {1026, 12, "Turkish (Latin 5)"},
    {1047, 12, "Latin 1/Open System"},
    {20273, 12, "Germany"},
    {20277, 12, "Denmark-Norway"},
    {20278, 12, "Finland-Sweden"},
    {20280, 12, "Italy"},
    {20284, 12, "Latin America-Spain"},
    {20285, 12, "United Kingdom"},
    {20290, 12, "Japanese Katakana Extended"},
    {20297, 12, "France"},
    {20420, 12, "Arabic"},
    {20423, 12, "Greek"},
    {20424, 12, "Hebrew"},
    {20833, 12, "Korean Extended"},
    {20838, 12, "Thai"},
    {20871, 12, "Icelandic"},
    {20880, 12, "Cyrillic Russian"},
    {20905, 12, "Turkish"},
    {21025, 12, "Cyrillic Serbian-Bulgarian"},
    {-1, 13, "UTF-16 LE"},
    {-1, 13, "UTF-16 BE"},
    {65001, 13, "UTF-8"},
};

const char* const EncodingGroupNames[14] = {
    "", "Western European", "Central European", "Baltic", "Cyrillic", "Greek", "Latin 3",
    "Turkish", "Arabic", "Hebrew", "Thai", "Vietnamese", "IBM EBCDIC", "Unicode",
};

namespace {

// Tables are built on first use and never freed, so the pointers handed
// out stay valid for the whole process. A code page neither converter has
// is remembered as a null entry so it is not looked up again.
struct TableCache {
    std::mutex lock;
    std::map<int, std::unique_ptr<TVuCodepageTable>> byCodepage;
    // Built-in byte map of an encoding read as a given ANSI code page.
    std::map<std::pair<int, int>, std::unique_ptr<TVuCodepageTable>> fallbacks;
    std::map<int, std::unique_ptr<std::vector<int16_t>>> reverse;
};

TableCache& Cache()
{
    static TableCache cache;
    return cache;
}

const TVuCodepageTable& Latin1Table()
{
    static const TVuCodepageTable table = [] {
        TVuCodepageTable t{};
        for (int i = 0; i < 256; ++i)
            t[i] = static_cast<char16_t>(i);
        return t;
    }();
    return table;
}

// Table of a real code page number (no 0..3), built once.
const char16_t* TableOfNumber(int codepage)
{
    auto& cache = Cache();
    std::lock_guard guard(cache.lock);
    auto it = cache.byCodepage.find(codepage);
    if (it == cache.byCodepage.end()) {
        std::unique_ptr<TVuCodepageTable> table;
        if (auto built = BuildCodepageTable(codepage))
            table = std::make_unique<TVuCodepageTable>(*built);
        it = cache.byCodepage.emplace(codepage, std::move(table)).first;
    }
    return it->second ? it->second->data() : nullptr;
}

// ANSI is always convertible: should the converters lack even the
// locale's ANSI code page, bytes are read as Latin-1.
const char16_t* AnsiTable()
{
    const char16_t* t = TableOfNumber(SystemAnsiCodepage());
    return t ? t : Latin1Table().data();
}

const char16_t* FallbackTable(TVuEncoding enc)
{
    const int acp = SystemAnsiCodepage();
    const char16_t* ansi = AnsiTable();
    const uint8_t* map = BuiltinByteMap(enc);
    auto& cache = Cache();
    std::lock_guard guard(cache.lock);
    auto& slot = cache.fallbacks[{enc, acp}];
    if (!slot) {
        slot = std::make_unique<TVuCodepageTable>();
        for (int b = 0; b < 256; ++b)
            (*slot)[b] = ansi[map[b]];
    }
    return slot->data();
}

TVuEncoding IsoVariantOf(int ansiCodepage)
{
    switch (ansiCodepage) {
    case 1250: return vEncCEuroISO;
    case 1251: return vEncCyrISO;
    case 1253: return vEncGreekISO;
    case 1254: return vEncTurISO;
    case 1255: return vEncHebISO1;
    case 1256: return vEncArISO;
    case 1257: return vEncBalISO1;
    default: return vEncWEuroISO1;
    }
}

bool gSupported[kEncodingCount];
std::once_flag gInitOnce;

}  // namespace

int ResolveCodepage(int codepage)
{
    switch (codepage) {
    case 0:
    case 3: return SystemAnsiCodepage();
    case 1: return SystemOemCodepage();
    case 2: return SystemMacCodepage();
    default: return codepage;
    }
}

void InitEncodings()
{
    std::call_once(gInitOnce, [] {
        for (bool& flag : gSupported)
            flag = false;
        for (int e = 0; e < kEncodingCount; ++e) {
            const int cp = kEncodingTable[e].codepage;
            if (cp > 2 && !IsMultiByteEncoding(TVuEncoding(e)))
                gSupported[e] = TableOfNumber(cp) != nullptr;
        }
        // These always convert, through a built-in table where needed;
        // UTF-8 through its own decoder.
        for (int e = vEncANSI; e <= vEncMac; ++e)
            gSupported[e] = true;
        gSupported[vEncUTF8] = true;
    });
}

bool IsEncodingSupported(TVuEncoding enc)
{
    InitEncodings();
    return enc < kEncodingCount && gSupported[enc];
}

int EncodingCodepage(TVuEncoding enc)
{
    const int cp = enc < kEncodingCount ? kEncodingTable[enc].codepage : -1;
    if (cp < 0)
        throw std::logic_error("Invalid codepage specified: CodepageID");
    return cp;
}

std::string EncodingName(TVuEncoding enc)
{
    if (enc >= kEncodingCount)
        return {};
    const TVuEncodingRec& rec = kEncodingTable[enc];
    if (rec.group == 0)
        return rec.name;
    return std::string(EncodingGroupNames[rec.group]) + " (" + rec.name + ")";
}

const char16_t* CodepageTable(int codepage)
{
    if (codepage < 0)
        return nullptr;
    if (codepage == 0 || codepage == 3)
        return AnsiTable();
    return TableOfNumber(ResolveCodepage(codepage));
}

const char16_t* EncodingTable(TVuEncoding enc)
{
    if (IsUnicodeEncoding(enc))
        throw std::logic_error("Unicode encodings can't be passed to CodepageToANSI");
    if (enc >= kEncodingCount || IsMultiByteEncoding(enc))
        return nullptr;
    switch (enc) {
    case vEncANSI:
        return AnsiTable();
    case vEncOEM:
        if (const char16_t* t = CodepageTable(1))
            return t;
        return AnsiTable();
    case vEncEBCDIC:
        if (IsEncodingSupported(vEncEBUSCanada))
            return TableOfNumber(EncodingCodepage(vEncEBUSCanada));
        return FallbackTable(enc);
    case vEncKOI8:
        if (IsEncodingSupported(vEncCyrKOI8R))
            return TableOfNumber(EncodingCodepage(vEncCyrKOI8R));
        return FallbackTable(enc);
    case vEncISO: {
        const TVuEncoding variant = IsoVariantOf(SystemAnsiCodepage());
        if (IsEncodingSupported(variant))
            return TableOfNumber(EncodingCodepage(variant));
        return FallbackTable(enc);
    }
    case vEncMac:
        if (const char16_t* t = CodepageTable(2))
            return t;
        return FallbackTable(enc);
    default:
        if (!IsEncodingSupported(enc))
            return nullptr;
        return TableOfNumber(kEncodingTable[enc].codepage);
    }
}

std::u16string EncodingToUnicode(std::string_view bytes, TVuEncoding enc)
{
    if (enc == vEncUTF8)
        return Utf8ToUtf16(bytes);
    const char16_t* table = EncodingTable(enc);  // throws for UTF-16
    if (bytes.empty())
        return {};
    if (!table)
        return u"?";
    std::u16string out(bytes.size(), u'\0');
    for (size_t i = 0; i < bytes.size(); ++i)
        out[i] = table[static_cast<unsigned char>(bytes[i])];
    return out;
}

std::u16string CodepageToUnicode(std::string_view bytes, int codepage)
{
    if (bytes.empty())
        return {};
    if (const char16_t* table = CodepageTable(codepage)) {
        std::u16string out(bytes.size(), u'\0');
        for (size_t i = 0; i < bytes.size(); ++i)
            out[i] = table[static_cast<unsigned char>(bytes[i])];
        return out;
    }
    if (auto text = ConvertMultiByte(bytes, ResolveCodepage(codepage)))
        return *text;
    return u"?";
}

std::string UnicodeToCodepage(std::u16string_view text, int codepage)
{
    const char16_t* table = CodepageTable(codepage);
    if (!table) {
        codepage = 0;
        table = AnsiTable();
    }
    const int key = codepage == 0 || codepage == 3 ? SystemAnsiCodepage() : ResolveCodepage(codepage);
    const std::vector<int16_t>* reverse = nullptr;
    {
        auto& cache = Cache();
        std::lock_guard guard(cache.lock);
        auto& slot = cache.reverse[key];
        if (!slot) {
            slot = std::make_unique<std::vector<int16_t>>(0x10000, int16_t{-1});
            // Downward, so a character two bytes share maps to the lower one.
            for (int b = 255; b >= 0; --b)
                if (table[b] != 0xFFFD)
                    (*slot)[table[b]] = static_cast<int16_t>(b);
        }
        reverse = slot.get();
    }
    std::string out(text.size(), '?');
    for (size_t i = 0; i < text.size(); ++i) {
        const int16_t b = (*reverse)[text[i]];
        if (b >= 0)
            out[i] = static_cast<char>(b);
    }
    return out;
}

std::u16string BytesToUnicode(const void* bytes, int64_t length, bool bigEndian)
{
    if (!bytes || length < 2)
        return {};
    const auto* p = static_cast<const unsigned char*>(bytes);
    std::u16string out(static_cast<size_t>(length / 2), u'\0');
    for (size_t i = 0; i < out.size(); ++i) {
        const unsigned lo = p[2 * i], hi = p[2 * i + 1];
        out[i] = static_cast<char16_t>(bigEndian ? (lo << 8 | hi) : (hi << 8 | lo));
    }
    return out;
}
