#pragma once

#include <QString>

// The program's four-number version, e.g. "1.0.0.1".
QString programVersion();
