// Text encodings of the text and binary view: the encoding table, which of
// them this system can convert, their display names, and byte-to-UTF-16
// conversion through one 256-entry table per code page.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

enum TVuEncoding : uint8_t {
    vEncANSI, vEncOEM, vEncEBCDIC, vEncKOI8, vEncISO, vEncMac,
    vEncWEuroDOS, vEncWEuroISO1, vEncWEuroISO2, vEncWEuroMac, vEncWEuroWin,
    vEncCEuroDOS, vEncCEuroISO, vEncCEuroMac, vEncCEuroWin,
    vEncBalDOS, vEncBalISO1, vEncBalISO2, vEncBalWin,
    vEncCyrDOS, vEncCyrISO, vEncCyrKOI8R, vEncCyrKOI8U, vEncCyrMacC, vEncCyrMacU, vEncCyrWin,
    vEncGreekDOS, vEncGreekISO, vEncGreekMac, vEncGreekWin,
    vEncLatin3,
    vEncTurDOS, vEncTurISO, vEncTurMac, vEncTurWin,
    vEncArDOS1, vEncArDOS2, vEncArDOS3, vEncArISO, vEncArMac, vEncArWin,
    vEncHebDOS, vEncHebISO1, vEncHebISO2, vEncHebMac, vEncHebWin,
    vEncThai, vEncViet,
    vEncEBUSCanada, vEncEBInternational, vEncEBMultilingualLatin2, vEncEBGreekModern,
    vEncEBTurkishLatin5, vEncEBLatin1OpenSystem, vEncEBGermany, vEncEBDenmarkNorway,
    vEncEBFinlandSweden, vEncEBItaly, vEncEBLatinAmericaSpain, vEncEBUnitedKingdom,
    vEncEBJapaneseKatakanaExtended, vEncEBFrance, vEncEBArabic, vEncEBGreek, vEncEBHebrew,
    vEncEBKoreanExtended, vEncEBThai, vEncEBIcelandic, vEncEBCyrillicRussian, vEncEBTurkish,
    vEncEBCyrillicSerbianBulgarian,
    vEncUnicodeLE, vEncUnicodeBE,
    // Appended after the Windows encodings so that no stored ordinal moves.
    vEncUTF8,
};

constexpr int kEncodingCount = vEncUTF8 + 1;

// Byte order of the two UTF-16 encodings as the text view stores it.
enum TVuUnicodeFormat : uint8_t { vufLittleEndian = 1, vufBigEndian = 2 };

struct TVuEncodingRec {
    int32_t codepage;  // -1: resolved by the conversion rules
    uint8_t group;     // 0: no group, else an index of EncodingGroupNames
    const char* name;
};

extern const TVuEncodingRec kEncodingTable[kEncodingCount];
extern const char* const EncodingGroupNames[14];  // index 1..13; [0] is empty

// The two UTF-16 encodings (the Unicode modes read them); UTF-8 is not one.
inline bool IsUnicodeEncoding(TVuEncoding enc) { return enc == vEncUnicodeLE || enc == vEncUnicodeBE; }

// An encoding whose characters take a varying number of bytes: UTF-8. It
// has no 256-entry table; its characters follow text/core/VuxUtf8.h.
inline bool IsMultiByteEncoding(TVuEncoding enc) { return enc == vEncUTF8; }

// Fills the "supported" flags. Runs once, on first use; calling it again
// does nothing.
void InitEncodings();

bool IsEncodingSupported(TVuEncoding enc);

// The table's code page; throws std::logic_error
// ("Invalid codepage specified: CodepageID") for a negative one.
int EncodingCodepage(TVuEncoding enc);

// Group name + " (" + name + ")", or the name alone outside a group (UTF-8).
std::string EncodingName(TVuEncoding enc);

// The 256 UTF-16 units that bytes 0..255 become in `enc` (U+FFFD for an
// undefined byte). nullptr for an unsupported encoding and for UTF-8, which
// no byte table describes. Built once per code page; the returned table
// lives for the whole process. Throws std::logic_error for the two UTF-16
// encodings.
const char16_t* EncodingTable(TVuEncoding enc);

// The table for any Windows code page number (language files name theirs
// by number), or nullptr when neither converter has it.
const char16_t* CodepageTable(int codepage);

// Converts bytes in `enc`; an unsupported encoding gives "?" for the whole
// string, an empty input an empty result. UTF-8 decodes by the rule of
// VuxUtf8.h: each byte of no valid sequence becomes one U+FFFD. Throws
// std::logic_error ("Unicode encodings can't be passed to CodepageToANSI")
// for UTF-16.
std::u16string EncodingToUnicode(std::string_view bytes, TVuEncoding enc);

// Raw UTF-16 bytes to a wide string; an odd last byte is ignored, fewer
// than two bytes give an empty string.
std::u16string BytesToUnicode(const void* bytes, int64_t length, bool bigEndian);

// Converts bytes in Windows code page `codepage` (0 = system ANSI, 1 = OEM,
// 2 = Mac), single- or multi-byte (a language file may be in 932). Neither
// converter knowing the code page gives "?" for the whole string, like an
// unsupported encoding; an empty input gives an empty result.
std::u16string CodepageToUnicode(std::string_view bytes, int codepage);

// Wide text to bytes of single-byte code page `codepage` (0 = system
// ANSI, 1 = OEM, 2 = Mac); a character the code page cannot represent
// becomes "?". An unknown code page converts as ANSI.
std::string UnicodeToCodepage(std::u16string_view text, int codepage);

// The system's standard wide-to-ANSI conversion (unrepresentable: "?").
inline std::string UnicodeToAnsi(std::u16string_view text) { return UnicodeToCodepage(text, 0); }

// The system code pages (derived from the locale, PEEKWELL_ACP and
// PEEKWELL_OEMCP override). The Mac code page follows the locale only.
int SystemAnsiCodepage();
int SystemOemCodepage();
int SystemMacCodepage();

// The code page a number stands for: 0 and 3 the system ANSI code page,
// 1 the OEM one, 2 the Mac one (as the platform's conversion calls take
// them); any other number stands for itself.
int ResolveCodepage(int codepage);
