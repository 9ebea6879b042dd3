#include "app/gui/ToolIcons.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace {

// Every picture is drawn on a 16 × 16 grid and scaled by the painter.
using Draw = std::function<void(QPainter&)>;

const QColor kInk(0x30, 0x40, 0x58);
const QColor kBlue(0x2a, 0x6f, 0xd0);
const QColor kGreen(0x2e, 0x9a, 0x3c);
const QColor kPaper(0xfb, 0xfb, 0xf6);
const QColor kFolder(0xf2, 0xc1, 0x4e);

QPen Pen(const QColor& c, qreal w = 1.2)
{
    return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Page(QPainter& p, QRectF r)
{
    p.setPen(Pen(kInk, 1));
    p.setBrush(kPaper);
    p.drawRect(r);
}

void Magnifier(QPainter& p)
{
    p.setPen(Pen(kInk, 1.6));
    p.setBrush(QColor(0xdd, 0xee, 0xff));
    p.drawEllipse(QPointF(6.5, 6.5), 4.5, 4.5);
    p.setPen(Pen(kInk, 2.4));
    p.drawLine(QPointF(10, 10), QPointF(14.5, 14.5));
}

void Glyph(QPainter& p, const QString& text, qreal pointSize, const QColor& c = kInk, bool bold = true)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(static_cast<int>(pointSize));
    f.setBold(bold);
    p.setFont(f);
    p.setPen(c);
    p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, text);
}

// A circular arrow: clockwise when `cw`.
void TurnArrow(QPainter& p, bool cw)
{
    p.setPen(Pen(kBlue, 1.8));
    p.setBrush(Qt::NoBrush);
    QRectF r(3, 3, 10, 10);
    p.drawArc(r, cw ? 90 * 16 : 90 * 16, cw ? -270 * 16 : 270 * 16);
    QPainterPath head;
    if (cw) {
        head.moveTo(13, 3.5);
        head.lineTo(13, 8.5);
        head.lineTo(9, 6);
    } else {
        head.moveTo(3, 3.5);
        head.lineTo(3, 8.5);
        head.lineTo(7, 6);
    }
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawPath(head);
}

void BigArrow(QPainter& p, bool right)
{
    p.setPen(Pen(kGreen.darker(130), 0.8));
    p.setBrush(kGreen);
    p.drawEllipse(QRectF(1, 1, 14, 14));
    QPainterPath a;
    if (right) {
        a.moveTo(5, 4.5);
        a.lineTo(11.5, 8);
        a.lineTo(5, 11.5);
    } else {
        a.moveTo(11, 4.5);
        a.lineTo(4.5, 8);
        a.lineTo(11, 11.5);
    }
    a.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(a);
}

const QHash<QString, Draw>& Drawings()
{
    static const QHash<QString, Draw> drawings = {
        {QStringLiteral("btnopen"), [](QPainter& p) {
             p.setPen(Pen(kInk, 1));
             p.setBrush(kFolder);
             QPolygonF back({{1.5, 3.5}, {6, 3.5}, {7.5, 5}, {14.5, 5}, {14.5, 13.5}, {1.5, 13.5}});
             p.drawPolygon(back);
             p.setBrush(kFolder.lighter(115));
             p.drawPolygon(QPolygonF({{1.5, 13.5}, {3.5, 7.5}, {15.5, 7.5}, {14.5, 13.5}}));
         }},
        {QStringLiteral("copybtn"), [](QPainter& p) {
             Page(p, QRectF(1.5, 1.5, 8, 10));
             Page(p, QRectF(6.5, 4.5, 8, 10));
         }},
        {QStringLiteral("btnview"), [](QPainter& p) {
             p.setPen(Pen(kInk, 1.2));
             p.setBrush(Qt::white);
             QPainterPath eye;
             eye.moveTo(1, 8);
             eye.quadTo(8, 1, 15, 8);
             eye.quadTo(8, 15, 1, 8);
             p.drawPath(eye);
             p.setBrush(kBlue);
             p.drawEllipse(QPointF(8, 8), 2.6, 2.6);
         }},
        {QStringLiteral("btnpanels"), [](QPainter& p) {
             p.setPen(Pen(kInk, 1));
             p.setBrush(Qt::white);
             p.drawRect(QRectF(1.5, 2.5, 13, 11));
             p.setBrush(QColor(0xc8, 0xdc, 0xf4));
             p.drawRect(QRectF(1.5, 2.5, 5, 11));
         }},
        {QStringLiteral("btnzoomin"), [](QPainter& p) {
             Magnifier(p);
             p.setPen(Pen(kInk, 1.4));
             p.drawLine(QPointF(4.5, 6.5), QPointF(8.5, 6.5));
             p.drawLine(QPointF(6.5, 4.5), QPointF(6.5, 8.5));
         }},
        {QStringLiteral("btnzoomout"), [](QPainter& p) {
             Magnifier(p);
             p.setPen(Pen(kInk, 1.4));
             p.drawLine(QPointF(4.5, 6.5), QPointF(8.5, 6.5));
         }},
        {QStringLiteral("btnfind"), [](QPainter& p) { Magnifier(p); }},
        {QStringLiteral("btnfindnext"), [](QPainter& p) {
             Magnifier(p);
             p.setPen(Pen(kGreen, 1.6));
             p.drawLine(QPointF(10, 2.5), QPointF(15, 2.5));
             p.drawLine(QPointF(13, 0.8), QPointF(15, 2.5));
             p.drawLine(QPointF(13, 4.2), QPointF(15, 2.5));
         }},
        {QStringLiteral("btnnonprintable"), [](QPainter& p) { Glyph(p, QStringLiteral("\u00B6"), 14); }},
        {QStringLiteral("specOEM"), [](QPainter& p) {
             p.setPen(Qt::NoPen);
             for (int i = 0; i < 3; ++i) {
                 p.setBrush(QColor(0x30 + 0x50 * i, 0x40 + 0x50 * i, 0x58 + 0x50 * i));
                 p.drawRect(QRectF(2 + 4 * i, 2, 4, 12));
             }
         }},
        {QStringLiteral("btnwrap"), [](QPainter& p) {
             p.setPen(Pen(kInk, 1.5));
             p.setBrush(Qt::NoBrush);
             QPainterPath w;
             w.moveTo(1.5, 3.5);
             w.lineTo(11, 3.5);
             w.quadTo(14.5, 3.5, 14.5, 7);
             w.quadTo(14.5, 10.5, 11, 10.5);
             w.lineTo(5, 10.5);
             p.drawPath(w);
             p.drawLine(QPointF(5, 10.5), QPointF(7.5, 8));
             p.drawLine(QPointF(5, 10.5), QPointF(7.5, 13));
         }},
        {QStringLiteral("showfull"), [](QPainter& p) {
             p.setPen(Pen(kInk, 1.5));
             const QPointF c[4] = {{2, 2}, {14, 2}, {14, 14}, {2, 14}};
             for (int i = 0; i < 4; ++i) {
                 const qreal dx = c[i].x() < 8 ? 4 : -4, dy = c[i].y() < 8 ? 4 : -4;
                 p.drawLine(c[i], c[i] + QPointF(dx, 0));
                 p.drawLine(c[i], c[i] + QPointF(0, dy));
             }
         }},
        {QStringLiteral("btnprint"), [](QPainter& p) {
             Page(p, QRectF(4.5, 1.5, 7, 5));
             p.setPen(Pen(kInk, 1));
             p.setBrush(QColor(0xb8, 0xc0, 0xcc));
             p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1.5, 1.5);
             Page(p, QRectF(4.5, 10.5, 7, 4));
         }},
        {QStringLiteral("btnoptions"), [](QPainter& p) {
             p.setPen(Pen(kInk, 2.2));
             for (int i = 0; i < 8; ++i) {
                 p.save();
                 p.translate(8, 8);
                 p.rotate(45.0 * i);
                 p.drawLine(QPointF(0, 4.5), QPointF(0, 7));
                 p.restore();
             }
             p.setPen(Pen(kInk, 1.2));
             p.setBrush(QColor(0xc8, 0xd0, 0xdc));
             p.drawEllipse(QPointF(8, 8), 4.5, 4.5);
             p.setBrush(Qt::white);
             p.drawEllipse(QPointF(8, 8), 1.8, 1.8);
         }},
        {QStringLiteral("btnabout"), [](QPainter& p) {
             p.setPen(Qt::NoPen);
             p.setBrush(kBlue);
             p.drawEllipse(QRectF(1, 1, 14, 14));
             Glyph(p, QStringLiteral("i"), 11, Qt::white);
         }},
        {QStringLiteral("btn90"), [](QPainter& p) { TurnArrow(p, true); }},
        {QStringLiteral("btn270"), [](QPainter& p) { TurnArrow(p, false); }},
        {QStringLiteral("btnfliphor"), [](QPainter& p) {
             p.setPen(Pen(kInk, 1));
             p.setBrush(kBlue);
             p.drawPolygon(QPolygonF({{7, 3}, {7, 13}, {1.5, 13}}));
             p.setBrush(Qt::white);
             p.drawPolygon(QPolygonF({{9, 3}, {9, 13}, {14.5, 13}}));
         }},
        {QStringLiteral("btnflipvertical"), [](QPainter& p) {
             p.setPen(Pen(kInk, 1));
             p.setBrush(kBlue);
             p.drawPolygon(QPolygonF({{3, 7}, {13, 7}, {13, 1.5}}));
             p.setBrush(Qt::white);
             p.drawPolygon(QPolygonF({{3, 9}, {13, 9}, {13, 14.5}}));
         }},
        {QStringLiteral("btnnegative"), [](QPainter& p) {
             p.setPen(Pen(kInk, 1));
             p.setBrush(Qt::white);
             p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
             p.setBrush(kInk);
             p.drawPie(QRectF(1.5, 1.5, 13, 13), 90 * 16, 180 * 16);
         }},
        {QStringLiteral("btnother"), [](QPainter& p) {
             QLinearGradient g(0, 0, 16, 0);
             g.setColorAt(0, Qt::black);
             g.setColorAt(1, Qt::white);
             p.setPen(Pen(kInk, 1));
             p.setBrush(g);
             p.drawRect(QRectF(1.5, 3.5, 13, 9));
         }},
        {QStringLiteral("btnsave"), [](QPainter& p) {
             p.setPen(Pen(kInk, 1));
             p.setBrush(kBlue);
             p.drawRect(QRectF(1.5, 1.5, 13, 13));
             p.setBrush(Qt::white);
             p.drawRect(QRectF(4.5, 1.5, 7, 5));
             p.setBrush(QColor(0xdd, 0xdd, 0xdd));
             p.drawRect(QRectF(3.5, 9.5, 9, 5));
         }},
        {QStringLiteral("btnprew"), [](QPainter& p) { BigArrow(p, false); }},
        {QStringLiteral("btnnext"), [](QPainter& p) { BigArrow(p, true); }},
        {QStringLiteral("app"), [](QPainter& p) {
             Page(p, QRectF(1.5, 0.5, 10, 13));
             p.setPen(Pen(kInk.lighter(160), 0.8));
             for (qreal y = 3; y < 11; y += 2)
                 p.drawLine(QPointF(3.5, y), QPointF(9.5, y));
             p.setPen(Pen(kBlue, 1.6));
             p.setBrush(QColor(255, 255, 255, 180));
             p.drawEllipse(QPointF(10, 10), 3.6, 3.6);
             p.setPen(Pen(kBlue, 2.2));
             p.drawLine(QPointF(12.6, 12.6), QPointF(15.2, 15.2));
         }},
    };
    return drawings;
}

QPixmap Render(const QString& name, int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    auto it = Drawings().constFind(name);
    if (it != Drawings().constEnd()) {
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.scale(size / 16.0, size / 16.0);
        (*it)(p);
    }
    return pm;
}

}  // namespace

QIcon ToolIcon(const QString& name, int size)
{
    QIcon icon;
    icon.addPixmap(Render(name, size));
    icon.addPixmap(Render(name, size * 2));
    return icon;
}

QIcon AppIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128})
        icon.addPixmap(Render(QStringLiteral("app"), size));
    return icon;
}
