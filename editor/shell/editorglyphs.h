#pragma once
// Button glyphs and the splash picture of the editor, drawn by code so that no binary
// picture files are needed.

#include <QIcon>
#include <QPixmap>

namespace editor::glyphs {

QIcon groups();      // stacked index cards: the group dialog
QIcon tools();       // wrench over a cog: the tools dialog
QIcon help();        // blue circle with a question mark
QIcon exitDoor();    // open door with an arrow leaving it
QIcon newItem();     // green circle with a plus
QIcon deleteItem();  // red circle with a minus
QIcon accept();      // green tick
QIcon cancel();      // red cross
QIcon exportDb();    // database cylinder with an arrow
QIcon exportWeb();   // globe

// The splash window's picture: a leaf under a magnifying glass on the splash colour.
QPixmap splashPicture(int size);

} // namespace editor::glyphs
