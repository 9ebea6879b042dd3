// Lays out and draws one screen (or printed page) of the view: the text,
// binary, hex and Unicode layouts to the character cell, margins, gutter,
// colours, the selection highlight and the read-error text.
//
// Hex layout, in cells w from the left margin L (D offset digits, N bytes):
//
//   0        D  D+2 D+3                    D+3N+4 D+3N+5
//   |offset  |: |  |XX XX .. XX  XX .. XX  |      |text column (N chars)
//               ^ hex background (3N+2)w wide; a line at D+2, at the middle
//                 D+3(N div 2)+3 and at D+3N+4; bytes of the second half
//                 sit one cell further right.
#pragma once

#include "binhex/core/VuBinHexModel.h"
#include "binhex/core/VuCanvas.h"
#include "binhex/core/VuStrPositions.h"
#include "binhex/core/VuTextOutput.h"

// The control's colours, system colours already resolved.
struct TVuViewColors {
    TVuColor background = 0xFFFFFF;  // the control's colour
    TVuColor text = 0x000000;        // the font's colour
    TVuColor hex = 0x800000;         // TextColorHex
    TVuColor hex2 = 0xFF0000;        // TextColorHex2
    TVuColor hexBack = 0xECECEC;     // TextColorHexBack
    TVuColor lines = 0x808080;       // TextColorLines
    TVuColor error = 0x0000FF;       // TextColorError
    TVuColor gutter = 0xC0C0C0;      // TextColorGutter
    TVuColor grayText = 0x808080;    // the system's disabled-text colour
};

struct TVuDrawRequest {
    int width = 0;
    int height = 0;
    int64_t endOffset = -1;           // last offset to draw lines from; -1: no limit
    bool print = false;               // print colours
    bool enabled = true;              // a disabled control draws grey
    TStrPositions* positions = nullptr;  // filled with the drawn lines when given
};

struct TVuDrawResult {
    bool endVisible = false;
    int64_t visibleBytes = 0;  // for the scroll bar
};

class TVuBinHexPainter : public TVuLineMeasure {
public:
    // `model` must outlive the painter; the painter registers itself as the
    // model's line measure, measuring with the last canvas drawn on.
    explicit TVuBinHexPainter(TVuBinHexModel& model);
    ~TVuBinHexPainter() override;

    // Draws the screen from ViewPos on `canvas`, sized to the request; also
    // stores the font metrics and surface size in the model, writes back the
    // fitted widths and EndVisible. Throws std::logic_error ("Positions out
    // of range: DrawTo...") when the buffer does not hold ViewPos.
    TVuDrawResult DrawTo(TVuCanvas& canvas, const TVuDrawRequest& request, const TVuViewColors& colors);

    // Measures with `canvas` from now on (the widget's screen canvas).
    void SetCanvas(TVuCanvas* canvas) { canvas_ = canvas; }
    TVuCanvas* Canvas() const { return canvas_; }

    // TVuLineMeasure: extents of a line for wrapping.
    void CharExtents(const std::u16string& line, std::vector<int>& extents) override;

private:
    struct Palette {
        TVuColor background, hexBack, text, hex, hex2, lines, error;
    };
    Palette PaletteFor(const TVuDrawRequest& request, const TVuViewColors& colors) const;
    void FitWidths(int width);
    void DrawTextLines(TVuCanvas& canvas, const TVuDrawRequest& request, const Palette& pal, TVuDrawResult& result);
    void DrawBinaryLines(TVuCanvas& canvas, const TVuDrawRequest& request, const Palette& pal, TVuDrawResult& result);
    void DrawHexLines(TVuCanvas& canvas, const TVuDrawRequest& request, const Palette& pal, TVuDrawResult& result);
    void DrawReadError(TVuCanvas& canvas, const TVuDrawRequest& request, const Palette& pal);
    // Inverts the selected part of a text drawn at (x, y) from offset `from`
    // (`offsets`: the units' byte offsets of UTF-8 text, else empty).
    void Highlight(TVuCanvas& canvas, const TVuDrawRequest& request, int x, int y, int64_t from,
                   const std::u16string& text, const std::vector<int32_t>& offsets,
                   const TVuTextOutputOptions& options);
    bool IsSelected(int64_t offset) const;
    int LinesToDraw() const;
    int64_t DrawLimit() const;

    TVuBinHexModel& model_;
    TVuCanvas* canvas_ = nullptr;
    TVuColor gutterColor_ = 0xC0C0C0;
};
