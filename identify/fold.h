#pragma once

#include <string_view>

namespace identify {

// Folds a trimmed stored matrix value of 2 to 5 characters into one 8-bit code, so that
// every value string keeps one character per answer option. Different values may fold
// to the same code.
unsigned char FoldAttrValue(std::string_view v);

// The one-character code a stored value contributes to a value string: blanks around it
// are dropped; 0 when nothing is left (the cell keeps "?"); longer values are folded.
unsigned char storedValueCode(std::string_view stored);

} // namespace identify
