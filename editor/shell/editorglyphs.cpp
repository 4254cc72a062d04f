#include "editorglyphs.h"

#include "drawnicon.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace editor::glyphs {

namespace {

// One icon from a drawing on a 32 x 32 canvas.
QIcon drawn(const std::function<void(QPainter &)> &draw)
{
    return drawnIcon(32, [&draw](QPainter &p, qreal) { draw(p); });
}

void disc(QPainter &p, const QColor &color)
{
    QRadialGradient g(QPointF(12, 10), 20);
    g.setColorAt(0, color.lighter(150));
    g.setColorAt(1, color);
    p.setPen(QPen(color.darker(140), 1.2));
    p.setBrush(g);
    p.drawEllipse(QRectF(3, 3, 26, 26));
}

QPen whitePen(qreal width)
{
    return QPen(Qt::white, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

} // namespace

QIcon groups()
{
    return drawn([](QPainter &p) {
        const QColor fills[] = {QColor(0x97, 0xbc, 0x62), QColor(0xe8, 0xc5, 0x47), QColor(0xf5, 0xf5, 0xf0)};
        for (int i = 0; i < 3; ++i) {
            const QRectF card(3 + i * 4, 4 + i * 6, 22, 14);
            p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
            p.setBrush(fills[i]);
            p.drawRoundedRect(card, 2, 2);
        }
        p.setPen(QPen(QColor(0x2c, 0x5f, 0x2d), 1.5));
        for (int y : {21, 25})
            p.drawLine(QPointF(14, y), QPointF(29, y));
    });
}

QIcon tools()
{
    return drawn([](QPainter &p) {
        // Cog.
        QPainterPath cog;
        const QPointF c(20, 20);
        for (int i = 0; i < 8; ++i) {
            const double a = i * std::numbers::pi / 4;
            QPointF d(std::cos(a), std::sin(a));
            QPointF n(-d.y(), d.x());
            cog.addPolygon(QPolygonF({c + d * 7 + n * 2.2, c + d * 11 + n * 1.8, c + d * 11 - n * 1.8, c + d * 7 - n * 2.2}));
        }
        cog.addEllipse(c, 8, 8);
        cog.setFillRule(Qt::WindingFill);
        p.setPen(QPen(QColor(0x50, 0x50, 0x50), 1));
        p.setBrush(QColor(0x9a, 0xa5, 0xb1));
        p.drawPath(cog.simplified());
        p.setBrush(Qt::white);
        p.drawEllipse(c, 3, 3);
        // Wrench across it.
        p.save();
        p.translate(11, 11);
        p.rotate(45);
        p.setPen(QPen(QColor(0x5a, 0x3a, 0x10), 1));
        p.setBrush(QColor(0xc8, 0x8a, 0x2e));
        p.drawRoundedRect(QRectF(-2.5, -1, 5, 20), 2, 2);
        QPainterPath jaw;
        jaw.addEllipse(QPointF(0, -3), 6, 6);
        QPainterPath mouth;
        mouth.addRect(QRectF(-2, -10, 4, 7));
        p.drawPath(jaw.subtracted(mouth));
        p.restore();
    });
}

QIcon help()
{
    return icons::help();
}

QIcon exitDoor()
{
    return drawn([](QPainter &p) {
        p.setPen(QPen(QColor(0x40, 0x30, 0x20), 1.2));
        p.setBrush(QColor(0x6b, 0x4a, 0x2b));
        p.drawRect(QRectF(4, 3, 15, 26)); // frame
        p.setBrush(QColor(0xb0, 0x7a, 0x45));
        p.drawPolygon(QPolygonF({QPointF(4, 3), QPointF(13, 6), QPointF(13, 31), QPointF(4, 29)})); // open leaf
        p.setBrush(QColor(0xf0, 0xd0, 0x60));
        p.drawEllipse(QPointF(11, 17), 1.2, 1.2);
        p.setPen(QPen(QColor(0xc0, 0x20, 0x20), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QPointF(16, 16), QPointF(29, 16));
        p.drawPolyline(QPolygonF({QPointF(24, 11), QPointF(29, 16), QPointF(24, 21)}));
    });
}

QIcon newItem()
{
    return drawn([](QPainter &p) {
        disc(p, QColor(0x2e, 0x8b, 0x3a));
        p.setPen(whitePen(3.5));
        p.drawLine(QPointF(16, 9), QPointF(16, 23));
        p.drawLine(QPointF(9, 16), QPointF(23, 16));
    });
}

QIcon deleteItem()
{
    return drawn([](QPainter &p) {
        disc(p, QColor(0xc0, 0x28, 0x28));
        p.setPen(whitePen(3.5));
        p.drawLine(QPointF(9, 16), QPointF(23, 16));
    });
}

QIcon accept()
{
    return drawn([](QPainter &p) {
        p.setPen(QPen(QColor(0x1f, 0x8a, 0x2a), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(6, 17), QPointF(13, 24), QPointF(26, 8)}));
    });
}

QIcon cancel()
{
    return drawn([](QPainter &p) {
        p.setPen(QPen(QColor(0xc0, 0x28, 0x28), 5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(8, 8), QPointF(24, 24));
        p.drawLine(QPointF(24, 8), QPointF(8, 24));
    });
}

QIcon exportDb()
{
    return drawn([](QPainter &p) {
        p.setPen(QPen(QColor(0x30, 0x40, 0x60), 1.2));
        p.setBrush(QColor(0xb8, 0xc8, 0xe0));
        p.drawRect(QRectF(3, 8, 16, 18));
        p.drawEllipse(QRectF(3, 23, 16, 6));
        p.setPen(Qt::NoPen);
        p.drawRect(QRectF(3.6, 24, 14.8, 2));
        p.setPen(QPen(QColor(0x30, 0x40, 0x60), 1.2));
        p.setBrush(QColor(0xdd, 0xe6, 0xf2));
        p.drawEllipse(QRectF(3, 5, 16, 6));
        p.setPen(QPen(QColor(0x2e, 0x8b, 0x3a), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QPointF(17, 18), QPointF(29, 18));
        p.drawPolyline(QPolygonF({QPointF(24, 13), QPointF(29, 18), QPointF(24, 23)}));
    });
}

QIcon exportWeb()
{
    return drawn([](QPainter &p) {
        const QRectF r(4, 4, 24, 24);
        p.setPen(QPen(QColor(0x1e, 0x5a, 0xb4), 1.5));
        p.setBrush(QColor(0xd6, 0xe8, 0xfa));
        p.drawEllipse(r);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(10, 4, 12, 24));
        p.drawLine(QPointF(16, 4), QPointF(16, 28));
        p.drawLine(QPointF(4, 16), QPointF(28, 16));
        p.drawLine(QPointF(6.5, 10), QPointF(25.5, 10));
        p.drawLine(QPointF(6.5, 22), QPointF(25.5, 22));
    });
}

QPixmap splashPicture(int size)
{
    QPixmap pm(size, size);
    pm.fill(QColor(0, 0x55, 0));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 180.0, size / 180.0);

    // A broad leaf with its stalk and veins.
    QPainterPath leaf;
    leaf.moveTo(40, 150);
    leaf.cubicTo(20, 90, 60, 30, 140, 22);
    leaf.cubicTo(150, 90, 110, 150, 40, 150);
    QLinearGradient g(40, 150, 140, 22);
    g.setColorAt(0, QColor(0x5e, 0xa8, 0x3c));
    g.setColorAt(1, QColor(0xb5, 0xdc, 0x6a));
    p.setPen(QPen(QColor(0x2f, 0x6b, 0x1f), 2));
    p.setBrush(g);
    p.drawPath(leaf);
    // The stalk, then the veins, kept inside the blade.
    p.setPen(QPen(QColor(0xe8, 0xf5, 0xc8), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(22, 168), QPointF(44, 141));
    p.save();
    p.setClipPath(leaf);
    p.drawLine(QPointF(40, 146), QPointF(132, 32));
    p.setPen(QPen(QColor(0xe8, 0xf5, 0xc8), 1.4, Qt::SolidLine, Qt::RoundCap));
    for (int i = 1; i <= 5; ++i) {
        const QPointF on(40 + i * 15.5, 145 - i * 19.2);
        p.drawLine(on, on + QPointF(-22 + i, -8 - i * 2));
        p.drawLine(on, on + QPointF(16 - i, 12 - i));
    }
    p.restore();

    // The magnifying glass over it.
    const QPointF c(118, 112);
    p.setPen(QPen(QColor(0x3a, 0x2a, 0x18), 11, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + QPointF(24, 24), c + QPointF(52, 52));
    p.setPen(QPen(Qt::white, 6));
    p.setBrush(QColor(255, 255, 255, 60));
    p.drawEllipse(c, 32, 32);
    p.setPen(QPen(QColor(255, 255, 255, 170), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(c.x() - 22, c.y() - 22, 44, 44), 100 * 16, 60 * 16);
    p.end();
    return pm;
}

} // namespace editor::glyphs
