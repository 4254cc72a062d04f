#pragma once
// Picture size arithmetic: fitting photos, thumbnails and hint pictures into their places.
// All of it is integer arithmetic: a ratio is truncated toward zero, never rounded.

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

namespace pictures {

// A rectangle given by its edges, with right and bottom exclusive: a box of 120 pixels from
// left 5 has right 125. toRect() gives the equivalent QRect, whose right() is inclusive.
struct Edges {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    QRect toRect() const { return QRect(left, top, right - left, bottom - top); }
    friend bool operator==(const Edges &, const Edges &) = default;
};

// Side of the square box a thumbnail or a hint picture is fitted into.
inline constexpr int thumbnailSide = 120;

// Photos kept no larger than limit on their longer side: unchanged when both sides are at most
// limit, otherwise the longer side (the width only when strictly wider) becomes limit.
// A side that would shrink to 0 keeps 1 pixel; an empty size stays as it is.
QSize fitLongSide(QSize src, int limit);

// Scaled, up or down, so that the longer side is n (the width when the sides are equal).
// A side that would shrink to 0 keeps 1 pixel; an empty size stays as it is.
QSize scaleToFit(QSize src, int n);

// The largest square centred in a picture of size src, halves of odd margins rounded down.
QRect centredSquare(QSize src);

// Where a picture of the given size is drawn in the result list's thumbnail box, the
// thumbnailSide square whose top left corner is boxTopLeft: proportions kept, centred across
// the shorter side. Nothing when the picture has no pixels.
std::optional<Edges> fitIntoThumbnailBox(QSize picture, QPoint boxTopLeft);

// Where a hint picture is drawn inside its frame: the area from (2, 2) to (121, 121), fitted by
// the thumbnailSide arithmetic. Nothing when the picture has no pixels.
std::optional<Edges> fitIntoHintFrame(QSize picture);

} // namespace pictures
