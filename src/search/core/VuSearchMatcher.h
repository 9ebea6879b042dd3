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
    // character the encoding lacks, leaves a matcher with CanMatch() false.
    TVuSearchMatcher(std::u16string_view text, TVuEncoding encoding, bool matchCase);

    bool CanMatch() const { return canMatch_; }
    // 2 for the UTF-16 encodings, 1 for the others.
    int CharSize() const { return charSize_; }
    // Bytes a match covers: characters × CharSize().
    size_t PatternBytes() const { return length_ * static_cast<size_t>(charSize_); }

    // Called with the byte index of each candidate whose bytes match;
    // returns true to take it. Used for the whole-word test, which needs
    // neighbours the block may not hold.
    using Accept = std::function<bool(size_t byteIndex)>;

    // The first (forward) or last (backward) byte index i, a multiple of
    // CharSize(), at which the text lies wholly inside data[0, size) and
    // `accept` (when given) agrees; -1 when there is none.
    int64_t Scan(const uint8_t* data, size_t size, bool forward, const Accept* accept) const;

    // Whether the character whose bytes start at `p` is a word delimiter.
    bool IsDelimiterAt(const uint8_t* p) const;

private:
    struct Probe {
        size_t pos = 0;              // character index in the text
        std::vector<uint16_t> values; // raw byte or unit values that fit
    };

    void CompileSingleByte(std::u16string_view text, const char16_t* table, bool matchCase);
    void CompileUtf16(std::u16string_view text, bool matchCase);
    void ChooseProbes();
    void BuildKernelProbes();
    bool Verify(const uint8_t* at) const;
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
    Probe first_, second_, third_;
    const TVuSearchKernel* kernel_ = nullptr;  // null: test every candidate
    TVuKernelProbes probes_;
};
