#include "drawnicon.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>

QIcon drawnIcon(int size, const std::function<void(QPainter &, qreal)> &paint)
{
    QIcon icon;
    for (int scale : {1, 2}) {
        QPixmap pm(size * scale, size * scale);
        pm.fill(Qt::transparent);
        pm.setDevicePixelRatio(scale);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        paint(p, size);
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

namespace icons {

QIcon help()
{
    return drawnIcon(32, [](QPainter &p, qreal s) {
        const QRectF r(s * 0.06, s * 0.06, s * 0.88, s * 0.88);
        const QColor fill(30, 100, 200);
        QRadialGradient g(r.left() + r.width() * 0.38, r.top() + r.height() * 0.32, r.width() * 0.7);
        g.setColorAt(0, fill.lighter(160));
        g.setColorAt(1, fill);
        p.setPen(QPen(fill.darker(150), r.width() / 20.0));
        p.setBrush(g);
        p.drawEllipse(r);
        QFont f;
        f.setBold(true);
        f.setPixelSize(qRound(s * 0.62));
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRectF(0, 0, s, s * 1.02), Qt::AlignCenter, QStringLiteral("?"));
    });
}

} // namespace icons
