#pragma once
// A synthetic key in a real database: T taxa, A answer options under a three-level tree,
// a value in every matrix cell and one small photo per taxon.

#include <QString>

namespace fb {
class Database;
}

namespace synth {

struct Shape {
    int taxa = 2000;
    int answers = 1000;
};

// Fills group 1 of an open, empty key database. Returns the group id.
int makeKey(fb::Database &db, const Shape &shape);

} // namespace synth
