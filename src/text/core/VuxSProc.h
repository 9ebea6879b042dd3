// String routines shared by the viewer family: replacing, formatting,
// character classes, case folding, tab expansion and UTF-8 conversion.
// Wide text is UTF-16 (std::u16string); narrow text is bytes in the system
// ANSI code page unless a routine says UTF-8.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

// Replaces the first occurrence of `what` in `s` by `with`; nothing when
// `what` is absent or empty.
void ReplaceFirstOf(std::u16string& s, std::u16string_view what, std::u16string_view with);

// Replaces the first occurrence again and again, each time searching from
// the start of the string, until none is left (so "a  =  b" with " = " ->
// "=" shrinks fully). When `with` itself contains `what` that would never
// end; each original occurrence is then replaced once, left to right.
// An empty `what` changes nothing.
void ReplaceAllOf(std::u16string& s, std::u16string_view what, std::u16string_view with);
void ReplaceAllOf(std::string& s, std::string_view what, std::string_view with);

// `format` with each "%s", in order, replaced by the next argument; "%s"
// beyond the arguments stay, arguments beyond the "%s" are dropped. A
// "%s" inside an argument is never replaced again.
std::u16string SubstPercentS(std::u16string_view format, std::initializer_list<std::u16string_view> args);

// 1-based index of the last character of `s` that is one of `delimiters`;
// 0 when there is none.
int LastDelimiterPos(std::u16string_view delimiters, std::u16string_view s);

// The extension with its dot (".txt") when the last of ".", "/", "\" and
// ":" in `fileName` is a dot; otherwise empty. The folder separator "/"
// keeps a dotted folder name from lending its extension to a file.
std::u16string ExtOfFileName(std::u16string_view fileName);

// Simple (one unit to one unit) lower-case mapping of a UTF-16 unit;
// surrogates and caseless units map to themselves.
char16_t LowerChar(char16_t ch);

// The lower-case mapping of every UTF-16 unit, built once (128 KB); the
// table lives for the whole process. Index by unit.
const char16_t* LowerCaseTable();

// Lower-cases in place: wide text unit by unit, narrow text through the
// system ANSI code page (a byte whose lower-case letter the code page
// lacks stays as it is).
void LowerInPlace(std::u16string& s);
void LowerInPlace(std::string& s);

// Replaces every character 0 by a space.
void ZerosToSpaces(std::u16string& s);
void ZerosToSpaces(std::string& s);

// Removes one trailing space or tab, if there is one.
void DropTrailingBlank(std::u16string& s);

// `count` copies of `ch`; empty for count <= 0.
std::u16string RepeatChar(char16_t ch, int count);

// True for CR and LF.
inline bool IsLineBreakChar(char16_t ch) { return ch == 13 || ch == 10; }

// The word delimiters: characters 0x00..0x2F, ":;<=>?@[\]^`{|}~" and 0x7F.
// Letters, digits, "_" and every character from 0x80 up are word
// characters.
extern const std::u16string_view kWordDelimiters;
bool IsWordDelimiter(char16_t ch);

// Options of one tab expansion, filled by the caller for each call.
struct TVuTabOptions {
    int tabSize = 8;          // must be above 0
    int position = 1;         // 1-based column at which the tab stands
    bool alignToStops = true; // width up to the next tab stop, else tabSize
    bool mark = false;        // put `marker` in the middle of the blanks
    char16_t marker = u'\u00BB';
};

// The blanks one tab expands to: tabSize - ((position - 1) mod tabSize)
// spaces when aligning to stops, else tabSize spaces; with `mark` the
// character at 1-based index (width div 2) + 1 is the marker.
// Throws std::logic_error("Tab size too small") for a tab size below 1.
std::u16string ExpandSingleTab(const TVuTabOptions& options);

// `line` with every tab expanded in turn, each at its column in the text
// expanded so far. `options.position` is ignored (set per tab).
// Throws std::logic_error("Tab size too small") for a tab size below 1
// when the line holds a tab.
std::u16string ExpandLineTabs(std::u16string_view line, const TVuTabOptions& options);

// UTF-8 <-> UTF-16. Malformed UTF-8 and lone surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);
std::u16string Utf8ToUtf16(std::string_view text);

// Minimum and maximum of two values, and clamping a value in place to a
// bound (raise to at least `bound`, lower to at most `bound`).
inline int32_t Min32(int32_t a, int32_t b) { return a < b ? a : b; }
inline int32_t Max32(int32_t a, int32_t b) { return a > b ? a : b; }
inline int64_t Min64(int64_t a, int64_t b) { return a < b ? a : b; }
inline int64_t Max64(int64_t a, int64_t b) { return a > b ? a : b; }
template <typename T> inline void RaiseTo(T& value, T bound) { if (value < bound) value = bound; }
template <typename T> inline void LowerTo(T& value, T bound) { if (value > bound) value = bound; }
