#include "glyphs.h"

#include "drawnicon.h"

#include <QPainter>
#include <QPainterPath>

namespace identify::glyphs {

namespace {

const QColor kGreen(0, 150, 60);
const QColor kRed(205, 30, 30);

void circle(QPainter &p, qreal size, const QColor &fill)
{
    QRadialGradient g(QPointF(size * 0.38, size * 0.32), size * 0.7);
    g.setColorAt(0, fill.lighter(150));
    g.setColorAt(1, fill);
    p.setPen(QPen(fill.darker(140), size / 16.0));
    p.setBrush(g);
    const qreal m = size / 16.0;
    p.drawEllipse(QRectF(m, m, size - 2 * m, size - 2 * m));
}

void arrow(QPainter &p, qreal size, bool right)
{
    const qreal c = size / 2;
    const qreal w = size * 0.28;
    QPainterPath path;
    if (right) {
        path.moveTo(c - w, c - w * 0.35);
        path.lineTo(c, c - w * 0.35);
        path.lineTo(c, c - w);
        path.lineTo(c + w, c);
        path.lineTo(c, c + w);
        path.lineTo(c, c + w * 0.35);
        path.lineTo(c - w, c + w * 0.35);
    } else {
        path.moveTo(c + w, c - w * 0.35);
        path.lineTo(c, c - w * 0.35);
        path.lineTo(c, c - w);
        path.lineTo(c - w, c);
        path.lineTo(c, c + w);
        path.lineTo(c, c + w * 0.35);
        path.lineTo(c + w, c + w * 0.35);
    }
    path.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(path);
}

// A small outline of a tree: a root box and three child boxes joined by lines.
void treeSymbol(QPainter &p, qreal size, const QColor &ink)
{
    const qreal u = size / 16.0;
    p.setPen(QPen(ink, u));
    p.setBrush(Qt::white);
    p.drawLine(QPointF(4 * u, 5 * u), QPointF(4 * u, 13 * u));
    for (qreal y : {8.5, 12.5})
        p.drawLine(QPointF(4 * u, y * u), QPointF(8 * u, y * u));
    p.drawRect(QRectF(1.5 * u, 1.5 * u, 5 * u, 4 * u));
    p.drawRect(QRectF(8 * u, 7 * u, 6 * u, 3 * u));
    p.drawRect(QRectF(8 * u, 11 * u, 6 * u, 3 * u));
}

void signedTree(QPainter &p, qreal size, bool plus)
{
    const qreal u = size / 40.0;
    p.setPen(QPen(QColor(70, 70, 70), 1.5 * u));
    p.drawLine(QPointF(10 * u, 10 * u), QPointF(10 * u, 31 * u));
    for (qreal y : {20.0, 31.0})
        p.drawLine(QPointF(10 * u, y * u), QPointF(18 * u, y * u));
    for (QPointF c : {QPointF(10 * u, 9 * u), QPointF(22 * u, 20 * u), QPointF(22 * u, 31 * u)}) {
        const QRectF box(c.x() - 5 * u, c.y() - 5 * u, 10 * u, 10 * u);
        p.setPen(QPen(QColor(70, 70, 70), 1.5 * u));
        p.setBrush(Qt::white);
        p.drawRect(box);
        p.setPen(QPen(kGreen.darker(120), 2 * u));
        p.drawLine(QPointF(box.left() + 2.5 * u, c.y()), QPointF(box.right() - 2.5 * u, c.y()));
        if (plus)
            p.drawLine(QPointF(c.x(), box.top() + 2.5 * u), QPointF(c.x(), box.bottom() - 2.5 * u));
    }
}

void triangle(QPainter &p, qreal size, bool up)
{
    const qreal u = size / 16.0;
    QPolygonF t;
    if (up)
        t << QPointF(8 * u, 4 * u) << QPointF(13 * u, 11 * u) << QPointF(3 * u, 11 * u);
    else
        t << QPointF(3 * u, 5 * u) << QPointF(13 * u, 5 * u) << QPointF(8 * u, 12 * u);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 40));
    p.drawPolygon(t);
}

} // namespace

QPixmap stateImage(int index)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    switch (index) {
    case 0:
        treeSymbol(p, 16, QColor(60, 60, 60));
        break;
    case 1:
        circle(p, 16, kGreen);
        p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(8, 4), QPointF(8, 12));
        p.drawLine(QPointF(4, 8), QPointF(12, 8));
        break;
    case 2:
        circle(p, 16, kRed);
        p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(5.2, 5.2), QPointF(10.8, 10.8));
        p.drawLine(QPointF(10.8, 5.2), QPointF(5.2, 10.8));
        break;
    case 3:
        circle(p, 16, kGreen);
        arrow(p, 16, true);
        break;
    default:
        break;
    }
    return pm;
}

QIcon chooseArrow()
{
    return drawnIcon(32, [](QPainter &p, qreal s) {
        circle(p, s, kGreen);
        arrow(p, s, true);
    });
}

QIcon dropArrow()
{
    return drawnIcon(32, [](QPainter &p, qreal s) {
        circle(p, s, kGreen);
        arrow(p, s, false);
    });
}

QIcon expandAll()
{
    return drawnIcon(32, [](QPainter &p, qreal s) { signedTree(p, s, true); });
}

QIcon collapseAll()
{
    return drawnIcon(32, [](QPainter &p, qreal s) { signedTree(p, s, false); });
}

QIcon information()
{
    return drawnIcon(32, [](QPainter &p, qreal s) {
        circle(p, s, QColor(30, 90, 190));
        const qreal u = s / 32.0;
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(16 * u, 9.5 * u), 2.3 * u, 2.3 * u);
        p.drawRoundedRect(QRectF(14 * u, 13.5 * u, 4 * u, 11.5 * u), 1 * u, 1 * u);
    });
}

QIcon previousPhoto()
{
    return drawnIcon(16, [](QPainter &p, qreal s) { triangle(p, s, true); });
}

QIcon nextPhoto()
{
    return drawnIcon(16, [](QPainter &p, qreal s) { triangle(p, s, false); });
}

} // namespace identify::glyphs
