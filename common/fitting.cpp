#include "fitting.h"

#include <algorithm>

namespace pictures {

namespace {

// trunc(a * b / c) for non-negative values. The quotient of two integers truncated after a
// floating division is the integer quotient, as long as the product stays exact, so qint64
// gives the same result without any rounding noise.
int mulDiv(int a, int b, int c)
{
    return int(qint64(a) * b / c);
}

QSize scaleLongSideTo(QSize src, int n, bool widthWinsTies)
{
    const int w = src.width();
    const int h = src.height();
    if (w > h || (widthWinsTies && w == h))
        return QSize(n, std::max(1, mulDiv(h, n, w)));
    return QSize(std::max(1, mulDiv(w, n, h)), n);
}

} // namespace

QSize fitLongSide(QSize src, int limit)
{
    if (src.isEmpty() || (src.width() <= limit && src.height() <= limit))
        return src;
    return scaleLongSideTo(src, limit, false);
}

QSize scaleToFit(QSize src, int n)
{
    if (src.isEmpty())
        return src;
    return scaleLongSideTo(src, n, true);
}

QRect centredSquare(QSize src)
{
    const int side = std::min(src.width(), src.height());
    return QRect((src.width() - side) / 2, (src.height() - side) / 2, side, side);
}

std::optional<Edges> fitIntoThumbnailBox(QSize picture, QPoint boxTopLeft)
{
    if (picture.isEmpty())
        return std::nullopt;
    const int w = picture.width();
    const int h = picture.height();
    const bool wide = w > h;
    const int longer = wide ? w : h;
    const int shorter = wide ? h : w;
    // The shorter side is Trunc(shorter / longer × side) and it is moved in by
    // Trunc(side − shorter / longer × side) div 2. Both are taken from the exact quotient:
    // the second truncation rounds the fraction up, where floating point would drop a pixel
    // whenever shorter / longer × side comes out a hair below a whole number.
    const qint64 scaled = qint64(shorter) * thumbnailSide;
    const int drawn = int(scaled / longer);
    const int margin = (thumbnailSide - drawn - (scaled % longer != 0 ? 1 : 0)) / 2;

    Edges e{boxTopLeft.x(), boxTopLeft.y(), boxTopLeft.x() + thumbnailSide, boxTopLeft.y() + thumbnailSide};
    if (wide) {
        e.top += margin;
        e.bottom = e.top + drawn;
    } else {
        e.left += margin;
        e.right = e.left + drawn;
    }
    return e;
}

std::optional<Edges> fitIntoHintFrame(QSize picture)
{
    if (picture.isEmpty())
        return std::nullopt;
    const int w = picture.width();
    const int h = picture.height();
    // The margin is worked out for 120 pixels while the area from 2 to 121 holds 119, so the
    // picture comes out one pixel short on both sides; its proportions still hold to a pixel.
    if (w > h) {
        const int m = (thumbnailSide - mulDiv(h, thumbnailSide, w)) / 2;
        return Edges{2, m + 2, 121, 121 - m};
    }
    const int m = (thumbnailSide - mulDiv(w, thumbnailSide, h)) / 2;
    return Edges{m + 2, 2, 121 - m, 121};
}

} // namespace pictures
