#pragma once
// Button glyphs and state images of the identification screen, drawn by code so that
// no binary picture files are needed.

#include <QIcon>
#include <QPixmap>

namespace identify::glyphs {

// ImageList1: 0 a small tree symbol, 1 green circle with a white plus,
// 2 red circle with a white cross, 3 green circle with a white arrow. 16 x 16.
QPixmap stateImage(int index);

QIcon chooseArrow();   // green circle, arrow pointing right
QIcon dropArrow();     // green circle, arrow pointing left
QIcon expandAll();     // tree with plus signs
QIcon collapseAll();   // tree with minus signs
QIcon information();   // blue circle with "i"
QIcon previousPhoto(); // triangle pointing up
QIcon nextPhoto();     // triangle pointing down

} // namespace identify::glyphs
