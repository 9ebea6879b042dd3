#include "binhex/core/VuStrPositions.h"

void TStrPositions::Clear(int charSize)
{
    lines_.clear();
    charSize_ = charSize < 1 ? 1 : charSize;
}

void TStrPositions::Add(std::u16string text, int x, int y, int64_t offset, int width)
{
    if (lines_.size() >= kMaxEntries)
        return;
    lines_.push_back(TStrPosition{std::move(text), x, y, offset, width});
}

int64_t TStrPositions::OffsetAt(int x, int y, int lineHeight, TVuCanvas& canvas,
                                const TVuTextOutputOptions& options) const
{
    if (lines_.empty())
        return -1;
    if (y < lines_.front().y)
        return lines_.front().offset;
    std::vector<int> extents;
    for (const TStrPosition& line : lines_) {
        if (y < line.y || y >= line.y + lineHeight)
            continue;
        if (x <= line.x)
            return line.offset;
        LineExtents(canvas, line.text, options, extents);
        for (size_t i = 1; i < extents.size(); ++i) {
            const int middle = (extents[i - 1] + extents[i]) / 2 + line.x;
            if (middle > x)
                return OffsetOfChar(line, int(i) - 1);
        }
        return OffsetOfChar(line, int(line.text.size()));
    }
    const TStrPosition& last = lines_.back();
    return OffsetOfChar(last, int(last.text.size()));
}

bool TStrPositions::PointOf(int64_t offset, int& x, int& y, TVuCanvas& canvas,
                            const TVuTextOutputOptions& options) const
{
    for (const TStrPosition& line : lines_) {
        const int64_t end = OffsetOfChar(line, int(line.text.size()));
        if (offset < line.offset || offset >= end)
            continue;
        std::vector<int> extents;
        LineExtents(canvas, line.text, options, extents);
        const size_t index = size_t((offset - line.offset) / charSize_);
        x = line.x + extents[index];
        y = line.y;
        return true;
    }
    return false;
}

int TStrPositions::WidestLine(TVuCanvas& canvas, const TVuTextOutputOptions& options) const
{
    int widest = 0;
    for (const TStrPosition& line : lines_) {
        const int right = (line.width >= 0 ? line.width : LineWidth(canvas, line.text, options)) + line.x;
        if (right > widest)
            widest = right;
    }
    return widest;
}
