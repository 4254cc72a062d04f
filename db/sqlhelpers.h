#pragma once
// The SQL helper operations both programs use on their scratch statements.

#include "firebird.h"

#include <QString>

namespace sql {

// Close the query, replace its text, open it and stand on its first row.
void OpenQuery(fb::Query &query, const QString &text);
// OpenQuery; the first column of the first row as text ("" for no row or NULL); closes the query.
QString SelectString(fb::Query &query, const QString &text);
// Close the query, replace its text and execute it without a result.
void RunSql(fb::Query &query, const QString &text);
// Roll the transaction back when it is active.
void RollBackIfActive(fb::Transaction &transaction);

// True when the flag text's first character is "T", "t", "Y" or "y".
bool readFlag(const QString &text);
inline QString flagText(bool on) { return on ? QStringLiteral("T") : QStringLiteral("F"); }

} // namespace sql
