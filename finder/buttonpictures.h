#pragma once
// Pictures of the main window's own buttons and the program's window icon, drawn by
// code so that no binary picture files are needed.

#include <QIcon>

namespace finder::pictures {

QIcon help();     // blue circle with a question mark
QIcon tools();    // database cylinder with a small gear
QIcon exit();     // door with an arrow leaving it
QIcon program();  // green leaf with a magnifying glass

} // namespace finder::pictures
