// A search text compiled for one encoding, and the fast scan that finds
// its candidates in a block of raw file bytes.
//
// The comparison happens in the file's own bytes: every byte value gets a
// class (the bytes whose characters are equal, or equal after case folding,
// share one), the text becomes a string of classes, and a block is never
// converted. A character the encoding cannot represent gives a text that
// matches nothing, rather than a "?" that would match every "?" of the file.
//
// Candidates come from up to three probe positions of the text (the first
// and last character and the rarest one between): the block is compared a
// vector at a time against the byte values those characters can have, and
// only where all probes agree is the whole text compared.
//
// UTF-8 has no byte classes: a character and its other cases may even take
// different numbers of bytes ("k" and the Kelvin sign). Its probes are byte
// columns of the text's UTF-8 form up to the first character whose forms
// differ in length, each with the bytes any form has there; a candidate is
// then decoded character by character (VuxUtf8.h) and compared folded, so a
// match is what searching the decoded text would find.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "search/core/VuSearchKernel.h"
#include "text/core/VuxCodepages.h"

class TVuSearchMatcher {
public:
    // Compiles `text` for bytes in `encoding`. Case folding is the simple
    // lower-case mapping of each UTF-16 unit. An unsupported encoding, or a
    // character the encoding lacks, leaves a matcher with CanMatch() false
    // (in UTF-8: a U+FFFD or a lone surrogate, which no valid bytes give).
    TVuSearchMatcher(std::u16string_view text, TVuEncoding encoding, bool matchCase);

    bool CanMatch() const { return canMatch_; }
    // 2 for the UTF-16 encodings, 1 for the others (positions in UTF-8 are
    // bytes too).
    int CharSize() const { return charSize_; }
    // Fewest bytes a match covers: characters × CharSize(); in UTF-8 the
    // sum of each character's shortest form.
    size_t PatternBytes() const { return utf8_ ? minBytes_ : length_ * static_cast<size_t>(charSize_); }
    // Most bytes a match covers (PatternBytes() but for UTF-8).
    size_t MaxPatternBytes() const { return utf8_ ? maxBytes_ : PatternBytes(); }

    // Called with the byte index and byte length of each candidate whose
    // bytes match; returns true to take it. Used for the whole-word test,
    // which needs neighbours the block may not hold.
    using Accept = std::function<bool(size_t byteIndex, size_t byteLength)>;

    // The first (forward) or last (backward) byte index i, a multiple of
    // CharSize(), at which the text lies wholly inside data[0, size) and
    // `accept` (when given) agrees; -1 when there is none. `matchBytes`,
    // when given, receives the bytes the match covers.
    int64_t Scan(const uint8_t* data, size_t size, bool forward, const Accept* accept,
                 size_t* matchBytes = nullptr) const;

    // Whether the character whose bytes start at `p` is a word delimiter.
    // In UTF-8 one byte tells: only ASCII delimits, and no byte of a longer
    // character (or of an invalid one) is ASCII.
    bool IsDelimiterAt(const uint8_t* p) const;

private:
    struct Probe {
        size_t pos = 0;              // character index in the text
        std::vector<uint16_t> values; // raw byte or unit values that fit
    };

    void CompileSingleByte(std::u16string_view text, const char16_t* table, bool matchCase);
    void CompileUtf16(std::u16string_view text, bool matchCase);
    void CompileUtf8(std::u16string_view text, bool matchCase);
    void ChooseProbes();
    void ChooseUtf8Probes(const std::vector<std::vector<uint8_t>>& columns);
    void BuildKernelProbes();
    // Bytes of the match at `at` (end: the block's end), 0 for none.
    size_t Verify(const uint8_t* at, const uint8_t* end) const;
    size_t VerifyUtf8(const uint8_t* at, const uint8_t* end) const;
    static bool VerifyCandidate(void* context, size_t candidate);

    bool canMatch_ = false;
    int charSize_ = 1;
    size_t length_ = 0;
    bool bigEndian_ = false;
    // Single-byte: pattern_ holds class bytes; identity_ means every byte is
    // its own class, so raw bytes compare with memcmp.
    std::vector<uint8_t> pattern_;
    uint8_t class_[256] = {};
    bool delimiter_[256] = {};
    // UTF-16: the text's units (folded unless matching case) and, for
    // memcmp, its raw bytes in the file's byte order.
    std::u16string units_;
    std::string rawUnits_;
    const char16_t* fold_ = nullptr;  // null when matching case
    bool identity_ = false;
    // UTF-8: the text's characters, folded unless matching case, and the
    // shortest and longest byte forms of the whole text.
    bool utf8_ = false;
    std::vector<char32_t> keys_;
    size_t minBytes_ = 0;
    size_t maxBytes_ = 0;
    Probe first_, second_, third_;
    const TVuSearchKernel* kernel_ = nullptr;  // null: test every candidate
    TVuKernelProbes probes_;
};
