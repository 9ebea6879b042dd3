#include "binhex/core/VuStrPositions.h"

#include <algorithm>

void TStrPositions::Clear(int charSize)
{
    lines_.clear();
    charSize_ = charSize < 1 ? 1 : charSize;
}

size_t UnitAtOrAfter(const TStrPosition& line, int charSize, int64_t bytes)
{
    if (line.offsets.empty()) {
        const int64_t index = bytes <= 0 ? 0 : (bytes + charSize - 1) / charSize;
        return size_t(std::min<int64_t>(index, int64_t(line.text.size())));
    }
    const auto end = line.offsets.begin() + int64_t(line.text.size());
    return size_t(std::lower_bound(line.offsets.begin(), end, bytes) - line.offsets.begin());
}

void TStrPositions::Add(std::u16string text, int x, int y, int64_t offset, int width, std::vector<int32_t> offsets)
{
    if (lines_.size() >= kMaxEntries)
        return;
    lines_.push_back(TStrPosition{std::move(text), x, y, offset, width, std::move(offsets)});
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
        const size_t index = line.offsets.empty() ? size_t((offset - line.offset) / charSize_)
                                                  : UnitAtOrAfter(line, charSize_, offset - line.offset);
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
