#include "buttonpictures.h"

#include "drawnicon.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace finder::pictures {

namespace {

void gear(QPainter &p, QPointF c, qreal radius, const QColor &colour)
{
    QPainterPath path;
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const qreal a0 = (i * M_PI) / teeth;
        const qreal a1 = ((i + 1) * M_PI) / teeth;
        const qreal r = (i % 2 == 0) ? radius : radius * 0.75;
        const QPointF p0(c.x() + r * qCos(a0), c.y() + r * qSin(a0));
        const QPointF p1(c.x() + r * qCos(a1), c.y() + r * qSin(a1));
        if (i == 0)
            path.moveTo(p0);
        else
            path.lineTo(p0);
        path.lineTo(p1);
    }
    path.closeSubpath();
    path.addEllipse(c, radius * 0.32, radius * 0.32);
    path.setFillRule(Qt::OddEvenFill);
    p.setPen(QPen(colour.darker(160), radius / 10.0));
    p.setBrush(colour);
    p.drawPath(path);
}

} // namespace

QIcon help()
{
    return icons::help();
}

QIcon tools()
{
    return drawnIcon(32, [](QPainter &p, qreal s) {
        // A database drum: two ellipses joined by sides.
        const QColor body(70, 130, 180);
        const QRectF top(s * 0.08, s * 0.10, s * 0.62, s * 0.20);
        const qreal bottomY = s * 0.78;
        QPainterPath drum;
        drum.moveTo(top.left(), top.center().y());
        drum.lineTo(top.left(), bottomY);
        drum.arcTo(QRectF(top.left(), bottomY - top.height() / 2, top.width(), top.height()), 180, 180);
        drum.lineTo(top.right(), top.center().y());
        drum.closeSubpath();
        QLinearGradient g(top.left(), 0, top.right(), 0);
        g.setColorAt(0, body.lighter(140));
        g.setColorAt(1, body.darker(120));
        p.setPen(QPen(body.darker(160), s / 32.0));
        p.setBrush(g);
        p.drawPath(drum);
        p.setBrush(body.lighter(170));
        p.drawEllipse(top);
        p.setBrush(Qt::NoBrush);
        for (qreal y : {0.38, 0.58})
            p.drawArc(QRectF(top.left(), s * y - top.height() / 2, top.width(), top.height()), 180 * 16, 180 * 16);
        gear(p, QPointF(s * 0.70, s * 0.70), s * 0.27, QColor(235, 170, 40));
    });
}

QIcon exit()
{
    return drawnIcon(32, [](QPainter &p, qreal s) {
        // The door frame and the open door leaf.
        p.setPen(QPen(QColor(90, 60, 30), s / 20.0));
        p.setBrush(QColor(250, 245, 230));
        p.drawRect(QRectF(s * 0.10, s * 0.08, s * 0.46, s * 0.84));
        QPolygonF leaf;
        leaf << QPointF(s * 0.10, s * 0.08) << QPointF(s * 0.36, s * 0.18) << QPointF(s * 0.36, s * 0.98)
             << QPointF(s * 0.10, s * 0.92);
        p.setBrush(QColor(170, 110, 50));
        p.drawPolygon(leaf);
        // The arrow leaving through it.
        const QColor red(200, 30, 30);
        QPainterPath arrow;
        arrow.moveTo(s * 0.42, s * 0.44);
        arrow.lineTo(s * 0.70, s * 0.44);
        arrow.lineTo(s * 0.70, s * 0.32);
        arrow.lineTo(s * 0.94, s * 0.52);
        arrow.lineTo(s * 0.70, s * 0.72);
        arrow.lineTo(s * 0.70, s * 0.60);
        arrow.lineTo(s * 0.42, s * 0.60);
        arrow.closeSubpath();
        p.setPen(QPen(red.darker(150), s / 32.0));
        p.setBrush(red);
        p.drawPath(arrow);
    });
}

QIcon program()
{
    return drawnIcon(64, [](QPainter &p, qreal s) {
        // A leaf with its midrib and veins.
        QPainterPath leaf;
        leaf.moveTo(s * 0.12, s * 0.88);
        leaf.cubicTo(s * 0.05, s * 0.40, s * 0.40, s * 0.08, s * 0.88, s * 0.10);
        leaf.cubicTo(s * 0.86, s * 0.55, s * 0.55, s * 0.90, s * 0.12, s * 0.88);
        QLinearGradient g(0, 0, s, s);
        g.setColorAt(0, QColor(120, 190, 70));
        g.setColorAt(1, QColor(30, 110, 40));
        p.setPen(QPen(QColor(20, 80, 30), s / 32.0));
        p.setBrush(g);
        p.drawPath(leaf);
        p.setPen(QPen(QColor(220, 240, 200), s / 40.0));
        p.drawLine(QPointF(s * 0.14, s * 0.86), QPointF(s * 0.80, s * 0.18));
        for (qreal t : {0.35, 0.5, 0.65}) {
            const QPointF base(s * (0.14 + 0.66 * t), s * (0.86 - 0.68 * t));
            p.drawLine(base, base + QPointF(s * 0.02, s * 0.16));
            p.drawLine(base, base + QPointF(-s * 0.14, -s * 0.02));
        }
        // The magnifying glass over its corner.
        p.setPen(QPen(QColor(60, 60, 60), s / 14.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(s * 0.78, s * 0.78), QPointF(s * 0.94, s * 0.94));
        p.setPen(QPen(QColor(60, 60, 60), s / 22.0));
        p.setBrush(QColor(210, 230, 255, 150));
        p.drawEllipse(QPointF(s * 0.68, s * 0.68), s * 0.15, s * 0.15);
    });
}

} // namespace finder::pictures
