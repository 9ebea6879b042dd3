// The view's canvas over QPainter on an off-screen QImage: the screen's
// bitmap (32-bit) or a printed page's (24-bit).
#pragma once

#include "binhex/core/VuCanvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <memory>
#include <optional>

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
    void TextOut(int x, int y, std::u16string_view text, TVuColor color) override;
    int TextWidth(std::u16string_view text) override;
    void TextExtents(std::u16string_view text, std::vector<int>& extents) override;
    void FillRect(const TVuRect& rect, TVuColor color) override;
    void Line(int x1, int y1, int x2, int y2, TVuColor color, int penWidth) override;
    void Ellipse(const TVuRect& box, TVuColor pen, TVuColor brush) override;
    void InvertRect(const TVuRect& rect) override;

private:
    QPainter& Painter();
    const QFont& Current() const { return useOem_ ? oem_ : normal_; }

    QImage::Format format_;
    int dpi_;
    QImage image_;
    std::unique_ptr<QPainter> painter_;
    QFont normal_;
    QFont oem_;
    bool useOem_ = false;
    std::optional<QFontMetrics> metrics_;  // of the font in use, at dpi_
    int ascent_ = 0;
};
