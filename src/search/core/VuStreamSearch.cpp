#include "search/core/VuStreamSearch.h"

#include <algorithm>
#include <limits>

#include "search/core/VuSearchMatcher.h"
#include "text/core/VuViewerMsg.h"
#include "text/core/VuxSProc.h"

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
    matchLength_ = matchStart_ >= 0 ? static_cast<int64_t>(text.size()) * CharSizeOf(encoding) : 0;
    return matchStart_ >= 0;
}

bool TVuStreamSearch::FindNextMatch()
{
    if (text_.empty())
        throw std::logic_error("Search text is empty");
    const int64_t cs = CharSizeOf(encoding_);
    const int64_t len = static_cast<int64_t>(text_.size());
    const int64_t start = (options_ & ssoBackward) ? matchStart_ + cs * (len - 2) : matchStart_ + cs;
    matchStart_ = FindAt(text_, encoding_, options_, start);
    matchLength_ = matchStart_ >= 0 ? len * cs : 0;
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
    if (text.empty())
        return -1;
    if (!stream_)
        throw std::logic_error("Stream object not initialized");
    const int64_t cs = CharSizeOf(encoding);
    const int64_t len = static_cast<int64_t>(text.size());
    if (len * cs > kMaxTextBytes)
        throw std::length_error("Search text too long: at most " + std::to_string(kMaxTextBytes / cs) +
                                " characters");
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
    block_.resize(static_cast<size_t>(kBlockSize));
    const int64_t patternBytes = len * cs;

    for (;;) {
        int64_t blockStart = pos, want = kBlockSize;
        if (backward) {
            blockStart = std::max<int64_t>(pos - (kBlockSize - cs), 0);
            want = std::min<int64_t>(pos + cs - blockStart, kBlockSize);
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
        const TVuSearchMatcher::Accept accept = [&](size_t index) {
            const int64_t at = blockStart + static_cast<int64_t>(index);
            if (at > 0 && !delimiterAt(at - cs))
                return false;
            const int64_t end = at + patternBytes;
            return end >= endOfText || delimiterAt(end);
        };
        const int64_t hit = usable > 0 ? matcher.Scan(block_.data(), static_cast<size_t>(usable), !backward,
                                                      wholeWords ? &accept : nullptr)
                                       : -1;
        if (hit >= 0)
            return blockStart + hit;
        if (!Continue(pos, size))
            return -1;
        pos = backward ? pos - want + (len + 1) * cs : pos + kBlockSize - (len + 1) * cs;
        pos = FloorTo(pos, cs);
        if (pos < 0 || pos > last || lastBlock)
            return -1;
    }
}
