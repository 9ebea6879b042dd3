#include "app/gui/FilterIcons.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QtMath>
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr int kSize = 16;

// Sky, sun, a hill: enough colour and edges for every filter to show.
QImage Landscape()
{
    QImage image(kSize, kSize, QImage::Format_ARGB32);
    image.fill(QColor(0x8c, 0xc8, 0xf5));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xcc, 0x33));
    p.drawEllipse(QPointF(11.5, 4.5), 2.8, 2.8);
    QPainterPath hill;
    hill.moveTo(0, 16);
    hill.lineTo(0, 10);
    hill.cubicTo(4, 6, 8, 8, 16, 11);
    hill.lineTo(16, 16);
    hill.closeSubpath();
    p.setBrush(QColor(0x3a, 0x9a, 0x3c));
    p.drawPath(hill);
    p.setBrush(QColor(0x8a, 0x5a, 0x2b));
    p.drawRect(QRectF(3, 9, 1.5, 4));
    return image;
}

int Grey(QRgb c)
{
    return (qRed(c) * 30 + qGreen(c) * 59 + qBlue(c) * 11) / 100;
}

QImage Filtered(int command)
{
    const QImage src = Landscape();
    QImage out = src;
    switch (command) {
    case 2:  // shades of grey
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) {
                const int g = Grey(src.pixel(x, y));
                out.setPixel(x, y, qRgb(g, g, g));
            }
        break;
    case 7:  // pixelation
    case 9:  // blocks
    {
        const int cell = command == 7 ? 4 : 5;
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x)
                out.setPixel(x, y, src.pixel(std::min(kSize - 1, x / cell * cell + cell / 2),
                                             std::min(kSize - 1, y / cell * cell + cell / 2)));
        if (command == 9) {
            QPainter p(&out);
            p.setPen(QColor(255, 255, 255, 140));
            for (int i = cell; i < kSize; i += cell) {
                p.drawLine(i, 0, i, kSize);
                p.drawLine(0, i, kSize, i);
            }
        }
        break;
    }
    case 10:  // blur: a 3 × 3 box, twice
        for (int pass = 0; pass < 2; ++pass) {
            const QImage in = out;
            for (int y = 0; y < kSize; ++y)
                for (int x = 0; x < kSize; ++x) {
                    int r = 0, g = 0, b = 0, n = 0;
                    for (int dy = -1; dy <= 1; ++dy)
                        for (int dx = -1; dx <= 1; ++dx) {
                            const int sx = x + dx, sy = y + dy;
                            if (sx < 0 || sy < 0 || sx >= kSize || sy >= kSize)
                                continue;
                            const QRgb c = in.pixel(sx, sy);
                            r += qRed(c), g += qGreen(c), b += qBlue(c), ++n;
                        }
                    out.setPixel(x, y, qRgb(r / n, g / n, b / n));
                }
        }
        break;
    case 11:  // posterization: two levels a channel
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) {
                const QRgb c = src.pixel(x, y);
                const auto level = [](int v) { return v < 128 ? 0 : 255; };
                out.setPixel(x, y, qRgb(level(qRed(c)), level(qGreen(c)), level(qBlue(c))));
            }
        break;
    case 12:  // noise, from a fixed sequence so the picture never changes
    {
        uint32_t seed = 12345;
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) {
                seed = seed * 1103515245u + 12345u;
                const int d = int((seed >> 16) % 97) - 48;
                const QRgb c = src.pixel(x, y);
                const auto clamp = [](int v) { return std::clamp(v, 0, 255); };
                out.setPixel(x, y, qRgb(clamp(qRed(c) + d), clamp(qGreen(c) + d), clamp(qBlue(c) + d)));
            }
        break;
    }
    case 8:  // waves
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) {
                const int sx = std::clamp(x + int(std::lround(1.8 * std::sin(y * 0.9))), 0, kSize - 1);
                out.setPixel(x, y, src.pixel(sx, y));
            }
        break;
    case 6:  // frost: pale, with white specks
    {
        uint32_t seed = 777;
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) {
                const QRgb c = src.pixel(x, y);
                seed = seed * 1103515245u + 12345u;
                const bool speck = (seed >> 16) % 5 == 0;
                const auto pale = [speck](int v) { return speck ? 255 : (v + 2 * 235) / 3; };
                out.setPixel(x, y, qRgb(pale(qRed(c)), pale(qGreen(c)), pale(qBlue(c))));
            }
        break;
    }
    default:
        break;
    }
    return out;
}

}  // namespace

QIcon FilterIcon(int command)
{
    return QIcon(QPixmap::fromImage(Filtered(command)));
}
