#include "picturebox.h"

#include <QPainter>

namespace identify {

PictureBox::PictureBox(QWidget *parent) : QWidget(parent) {}

void PictureBox::setImage(const QImage &image)
{
    m_image = image;
    update();
}

QRect PictureBox::pictureRect() const
{
    if (m_image.isNull() || m_image.width() <= 0 || m_image.height() <= 0)
        return {};
    const QSize fitted = m_image.size().scaled(size(), Qt::KeepAspectRatio);
    return QRect(QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
}

void PictureBox::paintEvent(QPaintEvent *)
{
    const QRect target = pictureRect();
    if (target.isEmpty())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(target, m_image);
}

} // namespace identify
