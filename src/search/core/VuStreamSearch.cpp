#include "search/core/VuStreamSearch.h"

#include <algorithm>
#include <limits>

#include "search/core/VuSearchMatcher.h"
#include "text/core/VuViewerMsg.h"
#include "text/core/VuxSProc.h"
#include "text/core/VuxUtf8.h"

namespace {

int CharSizeOf(TVuEncoding encoding) { return IsUnicodeEncoding(encoding) ? 2 : 1; }

// Rounds toward minus infinity, so a negative position stays negative.
int64_t FloorTo(int64_t value, int64_t unit)
{
    int64_t q = value / unit;
    if (value % unit != 0 && value < 0)
        --q;
    return q * unit;
}

}  // namespace

TVuStreamSearch::TVuStreamSearch() = default;
TVuStreamSearch::~TVuStreamSearch() = default;

void TVuStreamSearch::ClearRemembered()
{
    text_.clear();
    encoding_ = vEncANSI;
    options_ = 0;
}

void TVuStreamSearch::SetSourceFile(const std::string& fileName)
{
    if (owned_) {
        owned_.reset();
        stream_ = nullptr;
    }
    if (fileName.empty())
        return;
    ClearRemembered();
    fileName_ = fileName;
    stream_ = nullptr;
    owned_ = TVuFileStream::Open(fileName);
    if (!owned_)
        throw std::runtime_error(
            Utf16ToUtf8(SubstPercentS(ViewerMessages.CannotOpenFile, {Utf8ToUtf16(fileName)})));
    stream_ = owned_.get();
}

void TVuStreamSearch::SetSourceStream(TVuStream* stream)
{
    owned_.reset();
    ClearRemembered();
    fileName_.clear();
    stream_ = stream;
}

bool TVuStreamSearch::FindFirstMatch(const std::u16string& text, TVuEncoding encoding, TVuSearchOptions options,
                                     int64_t startOffset)
{
    text_ = text;
    encoding_ = encoding;
    options_ = options;
    return Find(text, encoding, options, startOffset);
}

bool TVuStreamSearch::Find(const std::u16string& text, TVuEncoding encoding, TVuSearchOptions options,
                           int64_t startOffset)
{
    if ((options & ssoBackward) && startOffset == 0)
        startOffset = std::numeric_limits<int64_t>::max();
    matchStart_ = FindAt(text, encoding, options, startOffset);
    matchLength_ = matchStart_ >= 0 ? foundBytes_ : 0;
    return matchStart_ >= 0;
}

bool TVuStreamSearch::FindNextMatch()
{
    if (text_.empty())
        throw std::logic_error("Search text is empty");
    if (encoding_ == vEncUTF8 && (options_ & ssoBackward)) {
        // Characters differ in length: the next match backward must end
        // before the last one does.
        matchStart_ = Search(text_, encoding_, options_, matchStart_, matchStart_ + matchLength_ - 1);
    } else {
        const int64_t cs = CharSizeOf(encoding_);
        const int64_t len = static_cast<int64_t>(text_.size());
        const int64_t start = (options_ & ssoBackward) ? matchStart_ + cs * (len - 2) : matchStart_ + cs;
        matchStart_ = FindAt(text_, encoding_, options_, start);
    }
    matchLength_ = matchStart_ >= 0 ? foundBytes_ : 0;
    return matchStart_ >= 0;
}

bool TVuStreamSearch::Continue(int64_t position, int64_t size)
{
    bool go = true;
    if (OnProgress)
        OnProgress(position, size, go);
    return go;
}

void TVuStreamSearch::ThrowReadError(int64_t offset) const
{
    const std::u16string text = SubstPercentS(ViewerMessages.ReadErrorAtOffset, {Utf8ToUtf16(std::to_string(offset))});
    throw EVuSearchReadError(Utf16ToUtf8(text), offset);
}

int64_t TVuStreamSearch::FindAt(const std::u16string& text, TVuEncoding encoding, TVuSearchOptions options,
                                int64_t startOffset)
{
    return Search(text, encoding, options, startOffset, -1);
}

int64_t TVuStreamSearch::Utf8CharEnd(int64_t offset, int64_t size)
{
    // The character holding `offset` may start up to three bytes before it
    // and end up to three after.
    uint8_t around[2 * kUtf8MaxBytes - 1] = {};
    const int64_t from = std::max<int64_t>(offset - (kUtf8MaxBytes - 1), 0);
    const int64_t got = stream_->ReadAt(from, around, std::min<int64_t>(sizeof around, size - from));
    if (got < 0)
        ThrowReadError(from);
    const size_t at = static_cast<size_t>(offset - from);
    if (got <= static_cast<int64_t>(at))
        return offset + 1;
    const size_t start = Utf8CharStart(around, static_cast<size_t>(got), at);
    const int n = Utf8SequenceLength(around + start, static_cast<size_t>(got) - start);
    return from + static_cast<int64_t>(start) + (n > 0 ? n : 1);
}

int64_t TVuStreamSearch::Search(const std::u16string& text, TVuEncoding encoding, TVuSearchOptions options,
                                int64_t startOffset, int64_t backwardEnd)
{
    foundBytes_ = 0;
    if (text.empty())
        return -1;
    if (!stream_)
        throw std::logic_error("Stream object not initialized");
    const bool utf8 = encoding == vEncUTF8;
    const int64_t cs = CharSizeOf(encoding);
    const int64_t len = static_cast<int64_t>(text.size());
    if (utf8) {
        // Measured on the text's own bytes; folded forms may be longer,
        // which the matcher's longest form below accounts for.
        if (static_cast<int64_t>(Utf16ToUtf8(text).size()) > kMaxTextBytes)
            throw std::length_error("Search text too long: at most " + std::to_string(kMaxTextBytes) +
                                    " bytes in UTF-8");
    } else if (len * cs > kMaxTextBytes) {
        throw std::length_error("Search text too long: at most " + std::to_string(kMaxTextBytes / cs) +
                                " characters");
    }
    const bool backward = options & ssoBackward;
    const bool wholeWords = options & ssoWholeWords;

    const int64_t size = stream_->Size();
    if (size < 0)
        ThrowReadError(0);
    if (size < cs)
        return -1;
    // A trailing odd byte of UTF-16 belongs to no character.
    const int64_t endOfText = FloorTo(size, cs);
    const int64_t last = std::max<int64_t>(endOfText - cs, 0);
    int64_t pos = FloorTo(startOffset, cs);
    if (backwardEnd >= 0)
        pos = backwardEnd - 1;
    if (pos > last) {
        if (!backward)
            return -1;
        pos = last;
    }
    if (pos < 0) {
        if (backward)
            return -1;
        pos = 0;
    }
    if (!Continue(pos, size))
        return -1;

    const TVuSearchMatcher matcher(text, encoding, options & ssoMatchCase);
    if (!matcher.CanMatch())
        return -1;  // unsupported encoding or a character it lacks
    // Consecutive blocks overlap by the longest match and one character,
    // so a match across a border lies wholly inside the next block. Case
    // folding in UTF-8 could make that more than half a block.
    const int64_t overlap = static_cast<int64_t>(matcher.MaxPatternBytes()) + cs;
    if (overlap > kMaxTextBytes + cs)
        throw std::length_error("Search text too long: at most " + std::to_string(kMaxTextBytes) +
                                " bytes in UTF-8");
    block_.resize(static_cast<size_t>(kBlockSize));

    // Backward, the first block ends just after the character at pos (or
    // where the caller said).
    int64_t blockEnd = 0;
    if (backward) {
        blockEnd = backwardEnd >= 0 ? std::min(backwardEnd, endOfText) : utf8 ? Utf8CharEnd(pos, size) : pos + cs;
        blockEnd = std::min(blockEnd, endOfText);
    }
    for (;;) {
        int64_t blockStart = pos, want = kBlockSize;
        if (backward) {
            blockStart = std::max<int64_t>(blockEnd - kBlockSize, 0);
            want = blockEnd - blockStart;
        }
        const int64_t got = stream_->ReadAt(blockStart, block_.data(), want);
        if (got < 0)
            ThrowReadError(blockStart);
        const bool lastBlock = got < kBlockSize;
        const int64_t usable = std::min(got, endOfText - blockStart);

        // Whole words look at the characters around the match in the
        // stream: at a block border the block does not show them.
        auto delimiterAt = [&](int64_t offset) {
            const int64_t inBlock = offset - blockStart;
            if (inBlock >= 0 && inBlock + cs <= usable)
                return matcher.IsDelimiterAt(block_.data() + inBlock);
            uint8_t ch[2] = {};
            const int64_t n = stream_->ReadAt(offset, ch, cs);
            if (n < 0)
                ThrowReadError(offset);
            return n < cs || matcher.IsDelimiterAt(ch);
        };
        const TVuSearchMatcher::Accept accept = [&](size_t index, size_t bytes) {
            const int64_t at = blockStart + static_cast<int64_t>(index);
            if (at > 0 && !delimiterAt(at - cs))
                return false;
            const int64_t end = at + static_cast<int64_t>(bytes);
            return end >= endOfText || delimiterAt(end);
        };
        size_t matchBytes = 0;
        const int64_t hit = usable > 0 ? matcher.Scan(block_.data(), static_cast<size_t>(usable), !backward,
                                                      wholeWords ? &accept : nullptr, &matchBytes)
                                       : -1;
        if (hit >= 0) {
            foundBytes_ = static_cast<int64_t>(matchBytes);
            return blockStart + hit;
        }
        if (!Continue(pos, size))
            return -1;
        if (backward) {
            blockEnd = blockStart + overlap;
            pos = blockEnd - cs;
        } else {
            pos = FloorTo(pos + kBlockSize - overlap, cs);
        }
        if (pos < 0 || pos > last || lastBlock)
            return -1;
    }
}
