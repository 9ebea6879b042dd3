// Line finding in the text modes and scrolling in every mode.
#include "binhex/core/VuBinHexModel.h"

#include <algorithm>

namespace {

constexpr char16_t kCR = 13;
constexpr char16_t kLF = 10;

bool IsBreak(char16_t ch) { return ch == kCR || ch == kLF; }
bool IsBlank(char16_t ch) { return ch == u' ' || ch == u'\t'; }

}  // namespace

// --- Lines ------------------------------------------------------------------

TVuReadLine TVuBinHexModel::ReadLine(bool forward, int64_t start) const
{
    if (IsMultiByteText())
        return ReadLineMultiByte(forward, start);
    TVuReadLine line;
    int64_t pos = RoundToChar(start);
    if (!forward && pos > LastPos())
        pos = LastPos();
    const int limit = LineLimit();
    while (line.count < limit && !IsOutOfBuffer(pos)) {
        const char16_t ch = GetChar(pos, false);
        if (IsBreak(ch))
            break;
        line.text += ch;
        ++line.count;
        if (forward) {
            const int n = CharBytesAt(pos);
            line.bytes += n;
            pos += n;
        } else {
            const int64_t prev = PrevCharStart(pos);
            line.bytes += pos - prev;
            pos = prev;
        }
    }
    if (wrap_ && line.count > 0)
        WrapLine(line, forward, start);
    return line;
}

// As ReadLine, decoding characters of 1..4 bytes into one or two UTF-16
// units each, with the byte offset of every unit.
TVuReadLine TVuBinHexModel::ReadLineMultiByte(bool forward, int64_t start) const
{
    TVuReadLine line;
    int64_t pos = start;
    if (!forward && pos > LastPos())
        pos = LastPos();
    pos = CharStart(pos);
    const int limit = LineLimit();
    const char32_t first = char32_t(metrics_.firstChar);
    line.text.reserve(size_t(limit));
    line.offsets.reserve(size_t(limit) + 1);
    while (line.count < limit && !IsOutOfBuffer(pos)) {
        int bytes = 1;
        char32_t cp = DecodeAt(pos, bytes);
        if (IsBreak(char16_t(cp)) && cp < 0x80)
            break;
        if (cp < first && cp != u'\t')
            cp = u'.';
        char16_t units[2];
        const int n = Utf16Units(cp, units);
        for (int k = 0; k < n; ++k) {
            line.text += units[k];
            line.offsets.push_back(int32_t(line.bytes));
        }
        ++line.count;
        line.bytes += bytes;
        pos = forward ? pos + bytes : PrevCharStart(pos);
    }
    line.offsets.push_back(int32_t(line.bytes));
    if (wrap_ && line.count > 0)
        WrapLine(line, forward, start);
    return line;
}

// Cuts `line` to the drawing width: after the last blank (or backslash that
// still fits) at or before the first character that does not fit, else after
// the last fitting one. The drawn text loses one trailing blank; the count
// keeps it, so the next displayed line starts after it.
int TVuBinHexModel::WrapLine(TVuReadLine& line, bool forward, int64_t start) const
{
    const int width = bitmapWidth_ - LeftMargin();
    // No surface yet: the width is unknown, so nothing can be cut sensibly.
    if (!measure_ || width <= 0)
        return line.count;
    std::vector<int> extents;
    measure_->CharExtents(line.text, extents);
    if (extents.empty() || extents.back() <= width)
        return line.count;
    int fit = -1;  // last character whose right edge fits
    while (fit + 1 < int(extents.size()) && extents[size_t(fit + 1)] <= width)
        ++fit;
    int cut = 0;
    for (int j = std::min(fit + 1, int(line.text.size()) - 1); j >= 0; --j) {
        const char16_t ch = line.text[size_t(j)];
        if (IsBlank(ch) || (ch == u'\\' && j <= fit)) {
            cut = j + 1;
            break;
        }
    }
    if (cut == 0)
        cut = fit + 1;
    if (cut < 1)
        cut = 1;  // a character wider than the surface still makes progress
    if (!line.offsets.empty()) {
        // UTF-8: a surrogate pair stays whole (on this line only when it
        // would be empty otherwise); the offsets give the bytes.
        if (size_t(cut) < line.text.size() && line.text[size_t(cut)] >= 0xDC00 && line.text[size_t(cut)] <= 0xDFFF)
            cut += cut > 1 ? -1 : 1;
        int chars = 0;
        for (int i = 0; i < cut; ++i)
            chars += line.text[size_t(i)] >= 0xDC00 && line.text[size_t(i)] <= 0xDFFF ? 0 : 1;
        line.text.resize(size_t(cut));
        line.offsets.resize(size_t(cut) + 1);
        line.bytes = line.offsets.back();
        line.count = chars;
        if (IsBlank(line.text.back())) {
            line.text.pop_back();
            line.offsets.pop_back();
        }
        return cut;
    }
    // Bytes of the kept characters, walked in the line's direction.
    int64_t bytes = 0;
    int64_t pos = RoundToChar(start);
    if (!forward && pos > LastPos())
        pos = LastPos();
    for (int i = 0; i < cut; ++i) {
        if (forward) {
            const int n = CharBytesAt(pos);
            bytes += n;
            pos += n;
        } else {
            const int64_t prev = PrevCharStart(pos);
            bytes += pos - prev;
            pos = prev;
        }
    }
    line.text.resize(size_t(cut));
    line.count = cut;
    line.bytes = bytes;
    if (!line.text.empty() && IsBlank(line.text.back()))
        line.text.pop_back();
    return cut;
}

int64_t TVuBinHexModel::NextLineStartAfter(int64_t offset, const TVuReadLine& line) const
{
    int64_t pos = CharStart(offset) + line.bytes;
    if (IsOutOfBuffer(pos))
        return -1;
    const char16_t ch = GetChar(pos, false);
    if (!IsBreak(ch))
        return pos;
    const char16_t pair = ch == kLF ? kCR : kLF;
    pos += CharBytesAt(pos);
    if (IsOutOfBuffer(pos))
        return -1;
    if (GetChar(pos, false) == pair) {
        pos += CharBytesAt(pos);
        if (IsOutOfBuffer(pos))
            return -1;
    }
    return pos;
}

int64_t TVuBinHexModel::NextLineStart(bool forward, int64_t offset) const
{
    offset = CharStart(offset);
    if (forward)
        return NextLineStartAfter(offset, ReadLine(true, offset));

    // From the end of the source the offset is no character of its own: the
    // count from LastPos then covers the whole last line, so count it as if a
    // break stood at the offset.
    const bool fromEnd = offset > LastPos() && fileSize_ >= CharSize();
    if (fromEnd)
        offset = LastPos() + CharSize();
    const TVuReadLine here = ReadLine(false, offset);
    const int n = fromEnd && here.count > 0 ? here.count + 1 : here.count;
    if (n > 1) {
        const int64_t start = fromEnd ? offset - here.bytes : offset - (here.bytes - CharBytesAt(offset));
        return IsOutOfBuffer(start) ? -1 : start;
    }
    int64_t pos = PrevCharStart(offset);
    if (IsOutOfBuffer(pos))
        return -1;
    const char16_t ch = GetChar(pos, false);
    if (!IsBreak(ch))
        return pos;
    // Cross the break (CR LF or LF CR counts once).
    // Crossing the break past the first byte means the source starts with an
    // empty line: that line, at 0, is the previous one.
    const char16_t pair = ch == kLF ? kCR : kLF;
    pos = PrevCharStart(pos);
    if (pos < 0)
        return 0;
    if (IsOutOfBuffer(pos))
        return -1;
    if (GetChar(pos, false) == pair) {
        pos = PrevCharStart(pos);
        if (pos < 0)
            return 0;
        if (IsOutOfBuffer(pos))
            return -1;
    }
    const TVuReadLine before = ReadLine(false, pos);
    if (before.count == 0)
        return pos + CharBytesAt(pos);  // an empty line
    for (int i = 0; i < before.count - 1; ++i) {
        const int64_t prev = PrevCharStart(pos);
        if (IsOutOfBuffer(prev))
            return -1;
        if (IsBreak(GetChar(prev, false)))
            break;
        pos = prev;
    }
    return pos;
}

void TVuBinHexModel::PlaceBufferForLines(int64_t from, int64_t target, int count, bool forward)
{
    // Bytes a walk of `count` lines may touch, and what drawing a screen
    // from its end may need: a line is LineLimit characters and a break.
    const int64_t lineBytes = int64_t(LineLimit() + 2) * MaxCharBytes();
    const int64_t reach = int64_t(count + 1) * lineBytes;
    const int64_t drawReach = int64_t(kMaxDrawLines + 1) * lineBytes;
    int64_t lo = forward ? from : from - reach;
    int64_t hi = forward ? from + reach + drawReach : from + drawReach;
    lo = std::max<int64_t>(lo, 0);
    hi = std::min<int64_t>(hi, fileSize_);
    // The furthest the new ViewPos can land; drawing needs it in the first
    // two blocks.
    const int64_t furthest = forward ? from + reach : from;
    // The buffer already holds all of it: keep it, reading nothing.
    if (readOK_ && !buffer_.empty() && lo >= bufferPos_ && hi <= bufferPos_ + BufferBytes() &&
        furthest <= bufferPos_ + 2 * BlockSize())
        return;
    bufferPos_ = std::max<int64_t>(target - BlockSize(), 0);
    ReadBuffer();
}

void TVuBinHexModel::StepLines(int count, bool forward, int64_t from)
{
    if (IsEmptySource() || !IsTextMode(mode_))
        return;
    from = std::clamp<int64_t>(RoundToChar(from), 0, RoundToChar(fileSize_));
    const int64_t span = int64_t(count) * LineLimit() * MaxCharBytes();
    const int64_t target = std::clamp<int64_t>(forward ? from + span : from - span, 0, LastPos());
    PlaceBufferForLines(from, target, count, forward);
    if (from < fileSize_)
        from = CharStart(from);  // in UTF-8 text, from inside a character

    int64_t pos = from;
    for (int i = 0; i < count && pos >= 0; ++i)
        pos = NextLineStart(forward, pos);
    if (pos < 0)
        pos = forward ? std::max<int64_t>(NextLineStart(false, fileSize_), 0) : 0;
    viewPos_ = std::min(pos, LastPos());
}

// --- Scrolling ----------------------------------------------------------------

void TVuBinHexModel::PlaceBufferFixed()
{
    const int64_t end = bufferPos_ + 2 * BlockSize();
    if (viewPos_ < bufferPos_ || viewPos_ >= end || !readOK_) {
        bufferPos_ = std::max<int64_t>(viewPos_ - BlockSize(), 0);
        ReadBuffer();
    }
}

void TVuBinHexModel::ScrollToFixed(int64_t offset)
{
    const int64_t unit = LineUnit();
    const int64_t pos = std::min(offset, LastPos()) / unit * unit;
    if (offset == viewPos_)
        return;
    viewPos_ = pos;
    PlaceBufferFixed();
}

void TVuBinHexModel::GoHome()
{
    horzScrollPos_ = 0;
    viewPos_ = 0;
    // The start must be in the buffer before it is drawn.
    if (HasSource() && (bufferPos_ != 0 || !readOK_)) {
        bufferPos_ = 0;
        ReadBuffer();
    }
}

void TVuBinHexModel::ScrollTo(int64_t offset)
{
    if (!HasSource())
        return;
    if (offset <= 0) {
        GoHome();
        return;
    }
    if (offset > LastPos()) {
        GoEnd();
        return;
    }
    if (IsFixedMode(mode_))
        ScrollToFixed(offset);
    else
        StepLines(1, false, offset);
}

void TVuBinHexModel::ScrollToLineOf(int64_t offset, int indentLines)
{
    if (IsEmptySource())
        return;
    offset = std::clamp<int64_t>(offset, 0, LastPos());
    indentLines = std::max(indentLines, 0);
    if (IsFixedMode(mode_)) {
        const int64_t unit = LineUnit();
        viewPos_ = std::max<int64_t>(offset / unit * unit - int64_t(indentLines) * unit, 0);
        PlaceBufferFixed();
    } else {
        StepLines(indentLines + 1, false, offset);
    }
}

int64_t TVuBinHexModel::LastPageStart() const
{
    if (fileSize_ <= 0)
        return 0;
    const int64_t unit = LineUnit();
    const int64_t lastLine = (fileSize_ - 1) / unit * unit;
    const int lines = std::max(VisibleLines(), 1);
    return std::max<int64_t>(lastLine - int64_t(lines - 1) * unit, 0);
}

void TVuBinHexModel::GoEnd()
{
    if (!HasSource())
        return;
    horzScrollPos_ = 0;
    if (IsFixedMode(mode_)) {
        viewPos_ = LastPageStart();
        PlaceBufferFixed();
    } else {
        StepLines(std::max(VisibleLines(), 1), false, fileSize_);
    }
}

void TVuBinHexModel::LineDown(int count)
{
    if (IsEmptySource() || count <= 0)
        return;
    if (IsFixedMode(mode_)) {
        const int64_t last = LastPageStart();
        if (viewPos_ < last)
            ScrollToFixed(std::min(viewPos_ + count * LineUnit(), last));
    } else if (!endVisible_) {
        StepLines(count, true, viewPos_);
    }
}

void TVuBinHexModel::LineUp(int count)
{
    if (IsEmptySource() || count <= 0)
        return;
    if (IsFixedMode(mode_)) {
        const int64_t pos = viewPos_ - count * LineUnit();
        if (pos < 0)
            GoHome();
        else
            ScrollToFixed(pos);
    } else {
        StepLines(count, false, viewPos_);
    }
}

void TVuBinHexModel::RestoreViewPos(int64_t pos)
{
    if (!HasSource())
        return;
    viewPos_ = std::clamp<int64_t>(pos, 0, LastPos());
    if (viewPos_ < bufferPos_ || viewPos_ > bufferPos_ + BlockSize() || !readOK_) {
        bufferPos_ = std::max<int64_t>(viewPos_ - BlockSize(), 0);
        ReadBuffer();
    }
    viewPos_ = CharStart(viewPos_);
}
