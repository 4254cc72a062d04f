#pragma once
// The creation script of a key database and the creation of a new database file.

#include <QString>

namespace fb {
class Database;
class Transaction;
} // namespace fb

namespace schema {

// Connection parameters every program uses for key databases.
inline constexpr const char *kUser = "sysdba";
inline constexpr const char *kPassword = "quillbend";
inline constexpr int kPageSize = 4096;
inline constexpr const char *kCharset = "ISO8859_2";

// The whole script, statements separated by ";" with the trigger bodies between SET TERM.
QString creationScript();

// Creates a new database file with the fixed page size, character set and owner, runs the
// creation script in it and leaves `db` connected to it. `tra` must belong to `db`.
void createKeyDatabase(fb::Database &db, fb::Transaction &tra, const QString &path);

} // namespace schema
