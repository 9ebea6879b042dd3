// Finding a text in a file or stream of any size, 64 KB at a time,
// forward or backward, with case folding and whole words.
//
// Consecutive blocks overlap by (text length + 1) characters, so a match
// that crosses a border lies wholly inside the next block:
//
//   forward   |<------------- block k (65 536) ------------->|
//                                            |<-(len+1) ch->|<- ...
//                                            |<------------- block k+1 ...
//   backward                  ... block k+1 ->|
//             |<------------- block k ------------->|  (ends just after the
//             ^ max(pos - 65 536 + char, 0)         ^ pos + char   character at pos)
//
// A match is reported as the byte offset of its first character and a byte
// length of (text length × character size). UTF-8 is searched as the text
// view decodes it (VuxUtf8.h), with the rules of the wide text: positions
// and overlaps are in bytes (the overlap is the longest form the text can
// take, plus one), and a match's length is the bytes its characters take,
// which case folding may change ("K" against the Kelvin sign).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "text/core/VuStream.h"
#include "text/core/VuxCodepages.h"

enum TVuSearchOption : uint8_t { ssoMatchCase = 1, ssoWholeWords = 2, ssoBackward = 4 };
// A set of TVuSearchOption bits.
using TVuSearchOptions = uint8_t;

// Progress of a search: the position reached, the stream size, and a flag
// the handler clears to cancel (the search then ends as "not found").
using TVuStreamSearchProgress =
    std::function<void(int64_t ACurrentPos, int64_t AMaximalPos, bool& AContinueSearching)>;

// A block could not be read. The message is "Read error at offset N".
class EVuSearchReadError : public std::runtime_error {
public:
    EVuSearchReadError(const std::string& message, int64_t offset) : std::runtime_error(message), Offset(offset) {}
    int64_t Offset;
};

class TVuStreamSearch {
public:
    static constexpr int64_t kBlockSize = 0x10000;
    // Longest text in bytes (characters × character size): the blocks must
    // still advance by half a block at least.
    static constexpr int64_t kMaxTextBytes = kBlockSize / 2;

    TVuStreamSearch();
    ~TVuStreamSearch();
    TVuStreamSearch(const TVuStreamSearch&) = delete;
    TVuStreamSearch& operator=(const TVuStreamSearch&) = delete;

    // Frees an owned stream; with an empty name nothing else happens (a
    // caller's stream stays assigned). Otherwise clears the remembered
    // search, keeps the name and opens the file read-only, which it then
    // owns. Throws std::runtime_error ("Cannot open file: NAME") when the
    // file cannot be opened; the search then has no source.
    void SetSourceFile(const std::string& fileName);

    // Frees an owned stream, clears the remembered search and the file name
    // and searches `stream` (not owned; may be null) from now on.
    void SetSourceStream(TVuStream* stream);

    // Remembers text, encoding and options, then runs Find.
    bool FindFirstMatch(const std::u16string& text, TVuEncoding encoding, TVuSearchOptions options,
                        int64_t startOffset);

    // Searches again from just after the last match's first character
    // (forward; overlapping matches are found) or for the nearest match
    // that starts before it (backward; in UTF-8, that ends before it). Throws std::logic_error ("Search
    // text is empty") when no search was remembered.
    bool FindNextMatch();

    // FindAt, then sets MatchStart and MatchLength. Backward from offset 0
    // searches from the end of the stream. True when a match was found.
    bool Find(const std::u16string& text, TVuEncoding encoding, TVuSearchOptions options, int64_t startOffset);

    // The offset of the match (see the class comment), or -1. An empty text
    // gives -1. Throws std::logic_error ("Stream object not initialized")
    // without a source, std::length_error for a text longer than
    // kMaxTextBytes (in UTF-8: whose UTF-8 form is), EVuSearchReadError
    // when a block cannot be read.
    // Forward, a match starts at or after `startOffset`; backward, it ends
    // no later than just after the character at `startOffset`. With whole
    // words, the characters around a match (in the stream, not just the
    // block) must be word delimiters or the ends of the stream.
    int64_t FindAt(const std::u16string& text, TVuEncoding encoding, TVuSearchOptions options, int64_t startOffset);

    int64_t MatchStart() const { return matchStart_; }
    int64_t MatchLength() const { return matchLength_; }
    const std::string& FileName() const { return fileName_; }
    TVuStream* Stream() const { return stream_; }

    // Raised before the first block and after every block without a match.
    TVuStreamSearchProgress OnProgress;

private:
    // FindAt; backward with `backwardEnd` >= 0 a match ends no later than
    // there instead. Sets foundBytes_ to the match's length.
    int64_t Search(const std::u16string& text, TVuEncoding encoding, TVuSearchOptions options, int64_t startOffset,
                   int64_t backwardEnd);
    // The end of the UTF-8 character holding `offset` in a stream of `size`.
    int64_t Utf8CharEnd(int64_t offset, int64_t size);
    void ClearRemembered();
    bool Continue(int64_t position, int64_t size);
    [[noreturn]] void ThrowReadError(int64_t offset) const;

    std::unique_ptr<TVuStream> owned_;
    TVuStream* stream_ = nullptr;
    std::string fileName_;
    std::u16string text_;
    TVuEncoding encoding_ = vEncANSI;
    TVuSearchOptions options_ = 0;
    int64_t matchStart_ = -1;
    int64_t matchLength_ = 0;
    int64_t foundBytes_ = 0;      // bytes of the match Search found last
    std::vector<uint8_t> block_;  // one block, reused by every search
};
