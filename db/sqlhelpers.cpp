#include "sqlhelpers.h"

namespace sql {

void OpenQuery(fb::Query &query, const QString &text)
{
    query.close();
    query.setSql(text);
    query.open();
}

QString SelectString(fb::Query &query, const QString &text)
{
    QString result;
    try {
        OpenQuery(query, text);
        if (!query.eof() && query.fieldCount() > 0)
            result = query.field(0).asString();
    } catch (...) {
        query.close();
        throw;
    }
    query.close();
    return result;
}

void RunSql(fb::Query &query, const QString &text)
{
    query.close();
    query.setSql(text);
    query.execute();
}

void RollBackIfActive(fb::Transaction &transaction)
{
    if (transaction.isActive())
        transaction.rollback();
}

bool readFlag(const QString &text)
{
    if (text.isEmpty())
        return false;
    const QChar c = text.at(0);
    return c == u'T' || c == u't' || c == u'Y' || c == u'y';
}

} // namespace sql
