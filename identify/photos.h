#pragma once
// The photos of one taxon, as the details panel steps through them.

#include "firebird.h"

#include <QByteArray>

#include <vector>

namespace identify {

// The JPEG bytes of every photo of the taxon within the group, in PHOTO_ID order
// (a photo without bytes gives an empty entry). Runs the statement on `query`.
std::vector<QByteArray> loadTaxonPhotos(fb::Query &query, int groupId, int taxonId);

} // namespace identify
