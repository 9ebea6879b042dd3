// The view's canvas over QPainter on an off-screen QImage: the screen's
// bitmap (32-bit) or a printed page's (24-bit).
//
// A viewer draws the same few hundred characters over and over, one per
// cell, so text goes out as glyph runs from a per-character cache (glyph,
// font, whole-pixel advance; fallback fonts found once per character)
// instead of being shaped again at every drawing. Segments that need
// shaping (joining scripts, combining marks, surrogate pairs) take Qt's full
// text path. On the screen's image the glyphs of those runs are composited
// from coverage masks captured once from Qt (VuQtGlyphMasks.h): the same
// pixels without Qt's per-pixel blending.
#pragma once

#include "binhex/core/VuCanvas.h"
#include "binhex/gui/VuQtGlyphMasks.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QGlyphRun>
#include <QRawFont>

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class TVuQtCanvas : public TVuCanvas {
public:
    // `format`: QImage::Format_RGB32 on screen, Format_RGB888 for printing.
    // `dpi`: the resolution fonts are sized for (the screen's).
    TVuQtCanvas(QImage::Format format, int dpi);
    ~TVuQtCanvas() override;

    // The fonts UseFont chooses between.
    void SetFonts(const QFont& normal, const QFont& oem);

    // Ends painting so the image can be shown; the next drawing call starts
    // it again.
    void Finish();
    // The image, finished.
    const QImage& Image();
    // Fills the whole surface (an empty view).
    void Clear(int width, int height, TVuColor color);

    void SetSize(int width, int height) override;
    int Width() const override { return image_.width(); }
    int Height() const override { return image_.height(); }
    void UseFont(TVuCanvasFont font) override;
    TVuFontInfo FontInfo() override;
    int TextOut(int x, int y, std::u16string_view text, TVuColor color) override;
    int TextWidth(std::u16string_view text) override;
    void TextExtents(std::u16string_view text, std::vector<int>& extents) override;
    void FillRect(const TVuRect& rect, TVuColor color) override;
    void Line(int x1, int y1, int x2, int y2, TVuColor color, int penWidth) override;
    void Ellipse(const TVuRect& box, TVuColor pen, TVuColor brush) override;
    void InvertRect(const TVuRect& rect) override;

    // Whether glyphs of the cached runs are composited from masks (the
    // default on a 32-bit image) or drawn by Qt; the pixels are the same
    // either way, which is what turning it off is for.
    void SetGlyphMasks(bool on) { glyphMasks_ = on; }
    // Glyphs held as masks that paint something, over both fonts (none when
    // every font failed its check and Qt draws all).
    size_t GlyphMaskCount() const;

private:
    // One character of a font: which of its raw fonts draws it, the glyph
    // and the advance. slot -1: not resolved yet; -2: needs shaping.
    // mask: its coverage mask in `masks`; -1: not captured yet; -2: Qt
    // draws it.
    struct Glyph {
        int16_t slot = -1;
        quint32 index = 0;
        int advance = 0;
        int32_t mask = -1;
    };
    // A segment shaped by Qt once: its glyph runs (baseline at `ascent`),
    // width and character extents.
    struct Shaped {
        QList<QGlyphRun> runs;
        qreal ascent = 0;
        int width = 0;
        std::vector<int> extents;
    };
    struct FontCache {
        explicit FontCache(int dpi) : coverage(dpi) {}
        std::vector<QRawFont> fonts;  // [0] the font itself, then fallbacks
        std::vector<Glyph> glyphs;    // by UTF-16 unit
        std::unordered_map<std::u16string, Shaped> shaped;
        TVuGlyphMasks coverage;            // the masks' bytes
        std::vector<TVuGlyphMask> masks;  // by Glyph::mask
        // By font slot: its glyphs checked against Qt so far; -1: Qt blends
        // it otherwise and draws all its glyphs.
        std::vector<int> checked;
    };

    QPainter& Painter();
    const QFont& Current() const { return useOem_ ? oem_ : normal_; }
    FontCache& Cache() { return useOem_ ? oemCache_ : normalCache_; }
    void ResetCache(FontCache& cache, const QFont& font);
    const Glyph& GlyphOf(char16_t ch);
    // End of the segment from `from`: characters drawn glyph by glyph from
    // the cache, or a run that needs Qt's shaping.
    size_t SegmentEnd(std::u16string_view text, size_t from);
    const Shaped& ShapedOf(std::u16string_view segment);
    // Glyph::mask of `g`, captured on first use.
    int32_t MaskOf(FontCache& cache, Glyph& g);
    // Whether TextOut composites masks on this image.
    bool UsesMasks() const
    {
        return glyphMasks_ && (format_ == QImage::Format_RGB32 || format_ == QImage::Format_ARGB32_Premultiplied);
    }

    QImage::Format format_;
    int dpi_;
    QImage image_;
    std::unique_ptr<QPainter> painter_;
    QFont normal_;
    QFont oem_;
    bool useOem_ = false;
    std::optional<QFontMetrics> metrics_;  // of the font in use, at dpi_
    int ascent_ = 0;
    // A glyph TextOut draws: its index in the slot's font, its pen position
    // from the text's start and its mask (Glyph::mask).
    struct RunGlyph {
        quint32 index;
        int pen;
        int32_t mask;
    };
    std::vector<std::vector<RunGlyph>> runs_;  // scratch of TextOut, by font slot
    QList<quint32> qtIndexes_;                 // scratch: the glyphs Qt draws
    QList<QPointF> qtPositions_;
    bool glyphMasks_ = true;
    FontCache normalCache_;
    FontCache oemCache_;
    QImage device_;  // 1x1 image of the canvas's resolution, for measuring
};
