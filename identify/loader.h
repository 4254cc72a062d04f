#pragma once
// The finder's loading of one group's key from the database.

#include "key.h"

namespace fb {
class Query;
}

namespace identify {

// Fills `key` (question tree, hints with pictures, taxa with first photos, value strings)
// for the group. The about texts are the caller's. A database error or a picture that is
// not a JPEG stops the load with an exception; what was loaded up to there stays.
void loadFinderKey(Key &key, fb::Query &tmpquery, fb::Query &tmpquery2, int groupId);

// The statements the loader runs, for the benchmark's bare read of the same rows.
QString questionsSql(int groupId);
QString hintsSql(int groupId);
QString taxaSql(int groupId);
QString firstPhotosSql(int groupId);
QString valuesSql(int groupId);

} // namespace identify
