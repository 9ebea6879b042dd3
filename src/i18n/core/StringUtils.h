// String helpers of the localizer: splitting entry lines, converting
// between a code page and UTF-16, and decoding the values of language-file
// entries (literal 'quoted'#13'text' or humanized text with a divider).
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

// Raised by DecodeLiteral at a character that belongs to no quoted segment
// and no character code. Position() is 1-based within the decoded text;
// Decoded() is what was decoded before that character.
class EQuillonToStringError : public std::runtime_error {
public:
    EQuillonToStringError(std::size_t position, std::u16string decoded);
    std::size_t Position() const { return position_; }
    const std::u16string& Decoded() const { return decoded_; }

private:
    std::size_t position_;
    std::u16string decoded_;
};

// Raised for the faults of a literal value other than a stray character
// (an unterminated quote, a code without digits or out of range, a stray
// character right after a code) and for text in a code page that cannot be
// converted. The message is the one a language-file report shows.
class ELanguageValueError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// If `separator` occurs in `s`, returns the text before its first
// occurrence and removes that text and the separator from `s`; otherwise
// returns the whole of `s` and empties it. An empty separator never occurs.
std::string SplitLeft(std::string& s, std::string_view separator);
std::u16string SplitLeft(std::u16string& s, std::u16string_view separator);

// Code page 65001: the bytes are UTF-8 (malformed sequences become U+FFFD).
constexpr int kUtf8Codepage = 65001;

// True when ToWideCP can convert text of `codepage` (a single-byte code page
// the converters have, 0..3 for the system's own, or UTF-8).
bool IsCodepageConvertible(int codepage);

// 8-bit text in `codepage` to UTF-16. Throws ELanguageValueError
// ("Code page N is not supported") when the code page cannot be converted.
std::u16string ToWideCP(std::string_view text, int codepage);

// UTF-16 to 8-bit text in `codepage`; characters the code page lacks become
// "?". Throws ELanguageValueError when the code page cannot be converted.
std::string ToAnsiCP(std::u16string_view text, int codepage);

// UTF-8 bytes (file names) to UTF-16, for report texts.
std::u16string Utf8ToWide(std::string_view text);
// UTF-16 to UTF-8 (lone surrogates become U+FFFD).
std::string WideToUtf8(std::u16string_view text);

// Strict decoding of a literal value: quoted segments ('text', two quotes
// standing for one) and character codes (#65 is U+0041) without anything
// between them. Throws EQuillonToStringError at a stray character, and
// ELanguageValueError with "Bad decoded string: "<value>"" for the other
// faults. An empty value decodes to an empty string.
std::u16string DecodeLiteral(std::u16string_view value);

// DecodeLiteral repeated past stray characters: the text decoded up to a
// stray character becomes a piece, and decoding restarts after it with the
// rest trimmed of blanks; the pieces are joined with CR. So 'a' 'b' gives
// "a" CR "b". Throws ELanguageValueError like DecodeLiteral.
std::u16string DecodeLiteralLenient(std::u16string_view value);

// A value as the language file's header says to read it: humanized (every
// `divider` becomes `lineBreak`; an empty divider changes nothing) or
// literal (DecodeLiteralLenient).
std::u16string DecodeValue(std::u16string_view value, bool humanized, std::u16string_view divider,
                           std::u16string_view lineBreak);
