// The system converters behind the code-page tables: glibc iconv first, ICU
// for the code pages glibc lacks. Everything here works on Windows code page
// numbers; VuxCodepages turns encodings into those numbers.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// One byte-to-UTF-16 table of a single-byte code page.
using TVuCodepageTable = std::array<char16_t, 256>;

// Which converter built a table, and under which name (tests compare
// against the same converter).
struct TVuConverterSource {
    enum Kind : uint8_t { kIconv, kIcu } kind;
    std::string name;
};

// Builds the table of Windows code page `codepage`, converting every byte
// alone and flushing the converter after it (glibc's CP1255/CP1258 would
// otherwise hold a base letter back to combine it with a following mark).
// Bytes the code page leaves undefined become U+FFFD. Returns nullopt when
// neither converter knows the code page, or when it is a multi-byte one
// (a lone lead byte is then incomplete and no 256-entry table exists).
// `source`, when given, receives the converter that was used.
std::optional<TVuCodepageTable> BuildCodepageTable(int codepage, TVuConverterSource* source = nullptr);

// Whole-string conversion for a multi-byte code page (932, 936, 949, 950,
// 65001 ...), which no 256-entry table can describe. Invalid sequences
// become U+FFFD. Returns nullopt when neither converter knows it.
std::optional<std::u16string> ConvertMultiByte(std::string_view bytes, int codepage);
