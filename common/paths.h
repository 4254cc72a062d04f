#pragma once
// Folders the programs work with.

#include <QString>

namespace paths {

// The folder of the running program, with a trailing "/".
QString programFolder();

// The per-user settings folder (~/.config), without a trailing "/"; empty when unknown.
QString userConfigFolder();

} // namespace paths
