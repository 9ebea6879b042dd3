// The lines the last screen drawing laid out, with where each was drawn and
// which file offset it starts at: the map between mouse points and offsets.
#pragma once

#include "binhex/core/VuTextOutput.h"

#include <cstdint>
#include <string>
#include <vector>

struct TStrPosition {
    std::u16string text;  // as drawn, before preparation
    int x = 0;            // origin, already shifted by HorzScrollPos
    int y = 0;
    int64_t offset = 0;   // file offset of the first character
    int width = -1;       // width as drawn; -1 when not known
    // UTF-8 text: byte offset from `offset` of the character each unit of
    // `text` belongs to, one entry more for the end (TVuReadLine::offsets);
    // empty when every character takes the positions' CharSize.
    std::vector<int32_t> offsets;
};

// Byte offset, from the line's start, of unit `index` (0..text.size()).
inline int64_t UnitOffset(const TStrPosition& line, int charSize, size_t index)
{
    if (line.offsets.empty())
        return int64_t(index) * charSize;
    return line.offsets[index < line.offsets.size() ? index : line.offsets.size() - 1];
}

// The first unit of `line` whose character starts at or after `bytes` from
// the line's start; text.size() when none does.
size_t UnitAtOrAfter(const TStrPosition& line, int charSize, int64_t bytes);

class TStrPositions {
public:
    static constexpr size_t kMaxEntries = kMaxDrawLines;

    // Forgets every line; `charSize` is the bytes per character of the mode.
    void Clear(int charSize);
    // Adds a line (with its drawn width when known, and its units' byte
    // offsets in UTF-8 text); entries past kMaxEntries are ignored.
    void Add(std::u16string text, int x, int y, int64_t offset, int width = -1, std::vector<int32_t> offsets = {});

    size_t Count() const { return lines_.size(); }
    const TStrPosition& operator[](size_t i) const { return lines_[i]; }
    int CharSize() const { return charSize_; }
    // File offset of the character unit `index` of `line` belongs to
    // (index text.size(): the end of the line's text).
    int64_t OffsetOfChar(const TStrPosition& line, int index) const
    {
        return line.offset + UnitOffset(line, charSize_, size_t(index));
    }

    // Offset under the point (x, y), measured with `canvas` and `options`:
    // -1 without lines; above the first line its offset; within a line the
    // character whose middle lies right of x (after the line's last
    // character when none does); below the last line the offset after it.
    int64_t OffsetAt(int x, int y, int lineHeight, TVuCanvas& canvas, const TVuTextOutputOptions& options) const;
    // The point of `offset`: false when no line holds it.
    bool PointOf(int64_t offset, int& x, int& y, TVuCanvas& canvas, const TVuTextOutputOptions& options) const;
    // The largest text width + origin x (drawn widths as drawn, the others
    // measured); 0 without lines.
    int WidestLine(TVuCanvas& canvas, const TVuTextOutputOptions& options) const;

private:
    std::vector<TStrPosition> lines_;
    int charSize_ = 1;
};
