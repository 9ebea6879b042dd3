// UTF-8 as the viewer reads it: where a character starts and ends, what it
// is, and whether a sample of bytes is UTF-8 at all.
//
// One rule decides the characters of any byte string, so that the text
// view, the search and the clipboard always agree:
//
//   - a valid sequence (shortest form, no surrogate, at most U+10FFFF) is
//     one character of 1 to 4 bytes;
//   - every other byte is a character of its own, shown as U+FFFD.
//
// Because a lead byte (00..7F, C2..F4) can never be swallowed by the
// sequence before it, the rule is local: whether a byte starts a character
// depends only on the three bytes before it and the three after, never on
// where a walk over the bytes began. So lines found walking backward start
// where the forward walk starts them.
#pragma once

#include <cstddef>
#include <cstdint>

// Most bytes one character takes.
constexpr int kUtf8MaxBytes = 4;

// The length of the valid sequence that starts at p[0], 1..4, when all its
// bytes lie in p[0, avail); 0 when p[0] starts no valid sequence (a
// continuation byte, an impossible byte, a broken or cut sequence) or
// avail is 0.
int Utf8SequenceLength(const uint8_t* p, size_t avail);

// The character at p[0] and the bytes it takes: the code point of a valid
// sequence, or U+FFFD and 1 for any other byte. avail must be at least 1.
int Utf8DecodeChar(const uint8_t* p, size_t avail, char32_t& codePoint);

// The start of the character that holds byte `index` of data[0, size):
// index itself, or the lead byte 1..3 bytes before it whose valid sequence
// covers it. Only data[0, size) is looked at, so a sequence whose lead lies
// before data[0] is not seen.
size_t Utf8CharStart(const uint8_t* data, size_t size, size_t index);

// Writes the UTF-16 units of `codePoint` to out[0] (and out[1] for a
// surrogate pair above U+FFFF); returns how many, 1 or 2.
inline int Utf16Units(char32_t codePoint, char16_t* out)
{
    if (codePoint < 0x10000) {
        out[0] = static_cast<char16_t>(codePoint);
        return 1;
    }
    const char32_t v = codePoint - 0x10000;
    out[0] = static_cast<char16_t>(0xD800 + (v >> 10));
    out[1] = static_cast<char16_t>(0xDC00 + (v & 0x3FF));
    return 2;
}

// Tells whether bytes fed in pieces are UTF-8 text: every byte belongs to a
// valid sequence, and at least one sequence takes more than one byte. A
// sequence the last piece cuts short counts as valid when what is there of
// it could still become one (the end of a sample is not the end of the
// text).
class TVuUtf8Check {
public:
    void Feed(const uint8_t* data, size_t size);
    // Valid so far, with a cut sequence at the end allowed.
    bool IsValid() const { return valid_; }
    // Valid and at least one multi-byte sequence seen (a cut one counts).
    bool IsMultiByteText() const { return valid_ && multiByte_; }

private:
    bool valid_ = true;
    bool multiByte_ = false;
    int need_ = 0;        // continuation bytes the open sequence still needs
    uint8_t lo_ = 0x80;   // range of the next one (narrower after E0, ED, F0, F4)
    uint8_t hi_ = 0xBF;
};
