#include "photos.h"

#include "sqlhelpers.h"

namespace identify {

std::vector<QByteArray> loadTaxonPhotos(fb::Query &query, int groupId, int taxonId)
{
    sql::OpenQuery(query, QStringLiteral("select PHOTO_PHOTO,PHOTO_id from PHOTOS where PHOTO_TAXGRP_ID=") +
                              QString::number(groupId) + QStringLiteral(" and PHOTO_TAXNAME_ID=") +
                              QString::number(taxonId) + QStringLiteral(" order by photo_id;"));
    std::vector<QByteArray> photos;
    while (!query.eof()) {
        photos.push_back(query.field(0).asBytes());
        query.next();
    }
    query.close();
    return photos;
}

} // namespace identify
