// What the view's selection is made of and what it holds: the words and
// lines a double or triple click selects, and the selected bytes as they
// are copied (read straight from the source, not from the view's buffer).
#pragma once

#include "binhex/core/VuBinHexModel.h"

#include <cstdint>
#include <string>

// A span of the source in bytes.
struct TVuByteRange {
    int64_t start = 0;
    int64_t length = 0;
    bool operator==(const TVuByteRange&) const = default;
};

// Word delimiters are IsWordDelimiter's (text/core/VuxSProc.h): blanks,
// punctuation and control characters; letters, digits, the underscore and
// every character from 0x80 up belong to words. Line delimiters: CR and LF.
bool IsLineDelimiter(char16_t ch);

// The word (`line` false) or displayed text line (`line` true) around
// offset `q`: from q the scan goes back, one character at a time and at
// most LineLimit characters, while the preceding character lies in the
// buffer and is no delimiter, and forward the same way. The character at q
// itself is not tested, so a q on a space joins the words on both sides.
// Characters the view shows as "." because they are control characters
// count as delimiters. Characters are stepped with the model's
// CharBytesAt/PrevCharStart, so the range starts and ends on characters.
// An offset outside the buffer gives an empty range at q.
TVuByteRange WordOrLineAt(const TVuBinHexModel& model, int64_t q, bool line);

// Largest selection copied, in bytes (CopyLimitMB megabytes).
constexpr int64_t kCopyLimitBytes = int64_t(CopyLimitMB) * 1048576;

// The selected bytes, at most kCopyLimitBytes of them, read with ReadSource
// at SelStart and cut to the bytes actually read (in UTF-8 text a character
// the limit cuts is left out whole). Empty without a selection. A failed
// read reports "Cannot read file: %s" (or "Cannot read stream") and gives
// an empty result.
std::string SelectedBytes(TVuBinHexModel& model);

// The selection as ANSI bytes: the selected bytes converted from
// TextEncoding to Unicode and then to the system ANSI code page, one "?"
// for each character the code page lacks (a UTF-8 character beyond U+FFFF
// too). Throws std::logic_error("SelText is called in Unicode mode") in the
// Unicode modes.
std::string SelectionText(TVuBinHexModel& model);

// The selection as the view's characters, not narrowed to ANSI: the
// selected bytes converted from TextEncoding (UTF-8 included), or in the
// Unicode modes their UTF-16 units as SelectionTextW gives them.
std::u16string SelectionTextUnicode(TVuBinHexModel& model);

// The selection of the Unicode modes as wide text, big-endian when the byte
// order is 2; empty without a selection. Throws
// std::logic_error("SelTextW is called in non-Unicode mode") elsewhere.
std::u16string SelectionTextW(TVuBinHexModel& model);
