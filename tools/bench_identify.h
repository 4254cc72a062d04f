#pragma once
// Timing of identification on a synthetic key of 10000 taxa with 20 chosen options:
// the taxon filter alone, and the whole RefreshSpeciesList of the identification screen
// (filter, result list rebuilt and drawn, counters). Prints one line for each, with the
// median of several runs:
//   filter 10000 taxa, 20 chosen: 1.8 ms
//   refresh 10000 taxa, 20 chosen: 21 ms
// The screen needs a QApplication: the caller's, or one made here when there is none.

#include <iosfwd>

void benchIdentify(std::ostream &out);
