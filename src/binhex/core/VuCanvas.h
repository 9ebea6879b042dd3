// The narrow drawing surface the view's layout draws on. The widget
// implements it over QPainter on an off-screen image (and for printing);
// tests implement it with fixed character cells, so every column the
// layout computes can be checked exactly.
#pragma once

#include "binhex/core/VuBinHexTypes.h"

#include <string_view>
#include <vector>

// Pixel rectangle; right and bottom are exclusive.
struct TVuRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Metrics of the font in use.
struct TVuFontInfo {
    int height = 8;          // line height in pixels
    int firstChar = 32;      // first character the font defines
    int cellWidth = 4;       // width of "0": the cell of all column arithmetic
    bool fixedPitch = false; // "W" and "." are equally wide
};

enum TVuCanvasFont : uint8_t {
    vcfNormal,  // the control's font
    vcfOem,     // FontOEM: OEM bytes through the OEM code page
};

class TVuCanvas {
public:
    virtual ~TVuCanvas() = default;

    // Makes the surface `width` x `height` pixels; its content is undefined
    // until painted.
    virtual void SetSize(int width, int height) = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;

    // Selects the font the following text calls use.
    virtual void UseFont(TVuCanvasFont font) = 0;
    virtual TVuFontInfo FontInfo() = 0;

    // Draws `text` with its top-left corner at (x, y), background untouched.
    // Result: the width of the text, as TextWidth would measure it.
    virtual int TextOut(int x, int y, std::u16string_view text, TVuColor color) = 0;
    // Width in pixels of `text`.
    virtual int TextWidth(std::u16string_view text) = 0;
    // extents[i] = width of the first i + 1 characters of `text`.
    virtual void TextExtents(std::u16string_view text, std::vector<int>& extents) = 0;

    virtual void FillRect(const TVuRect& rect, TVuColor color) = 0;
    // A line from (x1, y1) to (x2, y2) with a pen `penWidth` pixels wide.
    virtual void Line(int x1, int y1, int x2, int y2, TVuColor color, int penWidth) = 0;
    // An ellipse in `box`, outlined with a 1-pixel pen and filled.
    virtual void Ellipse(const TVuRect& box, TVuColor pen, TVuColor brush) = 0;
    // Inverts every pixel of `rect`.
    virtual void InvertRect(const TVuRect& rect) = 0;
};
