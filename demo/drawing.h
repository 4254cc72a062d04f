#pragma once
// Stylised pictures of the demo key, drawn by code from the picture styles of trees.key:
// one or more pictures per taxon (leaf, fruit, bark, caption) and the hint pictures.

#include <QImage>
#include <QSize>
#include <QString>

struct DemoTaxon;

inline constexpr QSize kDemoPictureSize{480, 360};

// Picture number index (0-based) of the taxon, as its style line "kép:" says.
// Throws std::out_of_range for a wrong index and std::invalid_argument for a bad style.
QImage drawPhoto(const DemoTaxon &taxon, int index);

// Hint picture of a question from its "súgókép:" style. Throws std::invalid_argument for a bad style.
QImage drawHintPicture(const QString &style);

// Empty when the style can be drawn, else a Hungarian message naming the first problem.
QString photoStyleError(const QString &style);
QString hintStyleError(const QString &style);
