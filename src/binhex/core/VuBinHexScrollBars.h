// The view's two scroll bars as range, page and position, in the system's
// scroll-bar terms: a bar whose page exceeds its range is hidden.
#pragma once

#include <cstdint>

struct TVuScrollInfo {
    int max = 0;   // range 0..max
    int page = 0;  // thumb size
    int pos = 0;
    bool Visible() const { return max > 0 && page <= max; }
};

constexpr int kScrollMax = 32767;

// Vertical bar: shown when the read succeeded and the source is larger than
// one line unit; the range is the size in line units (at most 32767), the
// page the share of the visible bytes (raised to max + 1 once it reaches max).
TVuScrollInfo VertScrollInfo(bool readOK, int64_t fileSize, int64_t lineUnit, int64_t viewPos, int64_t visibleBytes);

// The offset a thumb dragged to `pos` of `max` stands for.
int64_t ThumbOffset(int64_t fileSize, int pos, int max);

// Horizontal bar. `hidden`: a failed read, an empty source, wrapping text or
// a fitted binary width in a fixed-pitch font. `widest` is the widest drawn
// line (its origin already shifted by HorzScrollPos). The widest content
// seen only grows, through `horzMax`, until the source closes; the range is
// that or the client width + position, whichever is larger; `horzScrollPos`
// is clamped to 0..content width - client width.
TVuScrollInfo HorzScrollInfo(bool hidden, int widest, int clientWidth, int& horzScrollPos, int& horzMax);
