#include "binhex/gui/VuQtCanvas.h"

#include <QPalette>
#include <QTextLayout>

namespace {

QColor Rgb(TVuColor c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }

QString ToQString(std::u16string_view text)
{
    return QString(reinterpret_cast<const QChar*>(text.data()), qsizetype(text.size()));
}

QRect ToQRect(const TVuRect& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }

int DotsPerMeter(int dpi) { return qRound(dpi / 0.0254); }

// A device of the canvas's resolution to measure fonts on before any image
// exists.
QImage MetricsDevice(int dpi)
{
    QImage device(1, 1, QImage::Format_RGB32);
    device.setDotsPerMeterX(DotsPerMeter(dpi));
    device.setDotsPerMeterY(DotsPerMeter(dpi));
    return device;
}

}  // namespace

TVuQtCanvas::TVuQtCanvas(QImage::Format format, int dpi) : format_(format), dpi_(dpi > 0 ? dpi : 96)
{
    SetFonts(QFont(), QFont());
}

TVuQtCanvas::~TVuQtCanvas() { Finish(); }

void TVuQtCanvas::SetFonts(const QFont& normal, const QFont& oem)
{
    Finish();
    normal_ = normal;
    oem_ = oem;
    UseFont(useOem_ ? vcfOem : vcfNormal);
}

void TVuQtCanvas::UseFont(TVuCanvasFont font)
{
    useOem_ = font == vcfOem;
    const QImage device = MetricsDevice(dpi_);
    metrics_.emplace(Current(), &device);
    ascent_ = metrics_->ascent();
    if (painter_)
        painter_->setFont(Current());
}

TVuFontInfo TVuQtCanvas::FontInfo()
{
    TVuFontInfo info;
    info.height = metrics_->height();
    // Qt tells no first defined character; the fonts we ask for all start at
    // the space.
    info.firstChar = 32;
    info.cellWidth = metrics_->horizontalAdvance(QChar(u'0'));
    info.fixedPitch = metrics_->horizontalAdvance(QChar(u'W')) == metrics_->horizontalAdvance(QChar(u'.'));
    return info;
}

void TVuQtCanvas::Finish()
{
    if (painter_) {
        painter_->end();
        painter_.reset();
    }
}

const QImage& TVuQtCanvas::Image()
{
    Finish();
    return image_;
}

QPainter& TVuQtCanvas::Painter()
{
    if (!painter_) {
        if (image_.isNull())
            SetSize(1, 1);
        painter_ = std::make_unique<QPainter>(&image_);
        painter_->setFont(Current());
    }
    return *painter_;
}

void TVuQtCanvas::SetSize(int width, int height)
{
    width = width > 0 ? width : 1;
    height = height > 0 ? height : 1;
    if (image_.width() == width && image_.height() == height && !image_.isNull())
        return;
    Finish();
    image_ = QImage(width, height, format_);
    image_.setDotsPerMeterX(DotsPerMeter(dpi_));
    image_.setDotsPerMeterY(DotsPerMeter(dpi_));
}

void TVuQtCanvas::Clear(int width, int height, TVuColor color)
{
    SetSize(width, height);
    FillRect({0, 0, width, height}, color);
}

void TVuQtCanvas::TextOut(int x, int y, std::u16string_view text, TVuColor color)
{
    QPainter& p = Painter();
    p.setPen(Rgb(color));
    p.drawText(QPoint(x, y + ascent_), ToQString(text));
}

int TVuQtCanvas::TextWidth(std::u16string_view text) { return metrics_->horizontalAdvance(ToQString(text)); }

void TVuQtCanvas::TextExtents(std::u16string_view text, std::vector<int>& extents)
{
    extents.clear();
    if (text.empty())
        return;
    const QImage device = MetricsDevice(dpi_);
    QTextLayout layout(ToQString(text), Current(), &device);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    extents.reserve(text.size());
    for (int i = 1; i <= int(text.size()); ++i)
        extents.push_back(qRound(line.cursorToX(i)));
}

void TVuQtCanvas::FillRect(const TVuRect& rect, TVuColor color) { Painter().fillRect(ToQRect(rect), Rgb(color)); }

void TVuQtCanvas::Line(int x1, int y1, int x2, int y2, TVuColor color, int penWidth)
{
    QPainter& p = Painter();
    p.setPen(QPen(Rgb(color), penWidth, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(x1, y1, x2, y2);
}

void TVuQtCanvas::Ellipse(const TVuRect& box, TVuColor pen, TVuColor brush)
{
    QPainter& p = Painter();
    p.setPen(QPen(Rgb(pen), 1));
    p.setBrush(Rgb(brush));
    p.drawEllipse(QRect(box.left, box.top, box.right - box.left - 1, box.bottom - box.top - 1));
    p.setBrush(Qt::NoBrush);
}

void TVuQtCanvas::InvertRect(const TVuRect& rect)
{
    QPainter& p = Painter();
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.fillRect(ToQRect(rect), Qt::white);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}
