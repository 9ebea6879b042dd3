// The screen canvas composites the glyphs of its cached runs itself: every
// pixel must come out as Qt draws the same runs.
#include "binhex/gui/VuQtCanvas.h"

#include <QFontDatabase>

#include <gtest/gtest.h>

#include <string>

namespace {

std::u16string Units(const QString& s) { return s.toStdU16String(); }

// Draws `text` a few times over a patterned surface: clipped at every edge,
// over fills and an inverted band, in several colours.
// `maskCount`: the masks the canvas composited from.
QImage Draw(const QFont& font, const std::u16string& text, bool masks, size_t* maskCount = nullptr)
{
    TVuQtCanvas canvas(QImage::Format_RGB32, 96);
    canvas.SetGlyphMasks(masks);
    canvas.SetFonts(font, font);
    canvas.SetSize(420, 150);
    canvas.FillRect({0, 0, 420, 150}, 0xFFFFFF);
    canvas.FillRect({0, 40, 420, 70}, 0x3070C0);
    canvas.FillRect({200, 0, 260, 150}, 0x102030);
    canvas.InvertRect({0, 100, 420, 120});
    const int h = canvas.FontInfo().height;
    const struct {
        int x, y;
        TVuColor color;
    } at[] = {{2, 2, 0x000000}, {-7, 30, 0xA05020}, {300, 45, 0xFFFFFF}, {5, 100, 0x00FF00},
              {150, 150 - h / 2, 0x808080}, {40, -h / 2, 0x0000C0}, {10, 60, 0x2050A0}};
    for (const auto& a : at) {
        const int width = canvas.TextOut(a.x, a.y, text, a.color);
        EXPECT_EQ(width, canvas.TextWidth(text));
    }
    if (maskCount)
        *maskCount = canvas.GlyphMaskCount();
    return canvas.Image().copy();
}

// The first pixel where two images differ, as text; empty when none.
std::string FirstDifference(const QImage& a, const QImage& b)
{
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return "(" + std::to_string(x) + ", " + std::to_string(y) + "): " +
                       QString::number(a.pixel(x, y), 16).toStdString() + " by Qt, " +
                       QString::number(b.pixel(x, y), 16).toStdString() + " composited";
    return {};
}

TEST(QtCanvas, CompositedGlyphsMatchQtDrawing)
{
    const char16_t randomLine[] = {0xCEA2, 0xC94A, 0x97BB, 0x074A, 0x3BAF, 0x0E59, 0x0304, 0x5955, 0xDB9E,
                                   0xE61B, 0x0FB6, 0x134C, 0xDDCE, 0x06EA, 0x07B3, 0xF429, 0x1F7A, 0x0C2E,
                                   0x0173, 0xF5A9, 0x0001, 0xFFFD, 0x2028, 0};
    const std::u16string texts[] = {
        Units(QStringLiteral("The quick brown fox jumps over the lazy dog 0123456789 {}[]()")),
        Units(QStringLiteral("\u041F\u0440\u0438\u0432\u0435\u0442, \u043C\u0438\u0440! \u0421\u044A\u0435\u0448\u044C")),
        Units(QStringLiteral("\u65E5\u672C\u8A9E\u306E\u30C6\u30AD\u30B9\u30C8\u3068\u6F22\u5B57\u3001\u4E2D\u6587 \uD55C\uAD6D\uC5B4")),
        Units(QStringLiteral("abc \u0645\u0631\u062D\u0628\u0627 e\u0301 \u0928\u092E\u0938\u094D\u0924\u0947 \U0001F600 \u05E9\u05DC\u05D5\u05DD \u0E44\u0E17\u0E22 x")),
        randomLine,
    };
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    QFont big = mono;
    big.setPointSize(28);
    QFont boldSans;
    boldSans.setBold(true);
    boldSans.setPointSize(11);
    for (const QFont& font : {mono, big, boldSans}) {
        for (const std::u16string& text : texts) {
            const QImage byQt = Draw(font, text, false);
            size_t maskCount = 0;
            const QImage composited = Draw(font, text, true, &maskCount);
            EXPECT_GT(maskCount, 0u) << "nothing composited";
            EXPECT_EQ(FirstDifference(byQt, composited), "")
                << font.family().toStdString() << " " << font.pointSize() << ": "
                << QString::fromStdU16String(text).toStdString();
        }
    }
}

}  // namespace
