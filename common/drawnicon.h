#pragma once
// Icons drawn by code, so that no binary picture files are needed, and the pictures that
// both programs show on their buttons.

#include <QIcon>

#include <functional>

class QPainter;

// An icon of size x size logical pixels, painted by paint(painter, size) at 1x and at 2x,
// so that it stays sharp on high-density screens. The painter antialiases shapes and text.
QIcon drawnIcon(int size, const std::function<void(QPainter &, qreal)> &paint);

namespace icons {

QIcon help(); // blue circle with a question mark

} // namespace icons
