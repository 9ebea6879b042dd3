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
};

class TStrPositions {
public:
    static constexpr size_t kMaxEntries = kMaxDrawLines;

    // Forgets every line; `charSize` is the bytes per character of the mode.
    void Clear(int charSize);
    // Adds a line (with its drawn width when known); entries past
    // kMaxEntries are ignored.
    void Add(std::u16string text, int x, int y, int64_t offset, int width = -1);

    size_t Count() const { return lines_.size(); }
    const TStrPosition& operator[](size_t i) const { return lines_[i]; }
    int CharSize() const { return charSize_; }
    // File offset of character `index` of `line`.
    int64_t OffsetOfChar(const TStrPosition& line, int index) const { return line.offset + int64_t(index) * charSize_; }

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
