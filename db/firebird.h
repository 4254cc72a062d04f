#pragma once
// A thin wrapper over Firebird's OO API: a connection from parameter texts, transactions
// from parameter texts, statements with :named typed parameters, text and binary blobs.
// Every failure is an fb::Error carrying Firebird's own message.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdint>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace Firebird {
class IAttachment;
class ITransaction;
class IStatement;
class IResultSet;
class IMessageMetadata;
} // namespace Firebird

namespace fb {

class Error : public std::runtime_error {
public:
    explicit Error(const QString &message) : std::runtime_error(message.toStdString()) {}
    QString text() const { return QString::fromStdString(what()); }
};

class Transaction;
class Query;

// Points the client library at a private root folder (firebird.conf, plugins, intl, messages)
// before its first use. Must run before any other call of this wrapper; later calls are no-ops.
void usePrivateRoot(const QString &rootFolder);
// The private root the build puts beside the programs ("firebird" in the program folder).
void usePrivateRootBesideProgram();

// A connection ("attachment"). Parameters are texts such as "user_name=sysdba",
// "password=...", "lc_ctype=ISO8859_2".
class Database {
public:
    Database();
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    QStringList params;
    QString databaseName;
    bool loginPrompt = false; // kept for symmetry with the stored settings; never prompts

    void open();
    void close();
    bool isOpen() const { return m_att != nullptr; }

    // Creates a new database file and leaves this object connected to it.
    // Page size, default character set and owner as given.
    void create(const QString &path, const QString &user, const QString &password, int pageSize,
                const QString &defaultCharset);
    // Synchronous page writes (on by default). Off only for scratch files: a crash may then
    // corrupt the file.
    void setForcedWrites(bool on);

    Firebird::IAttachment *attachment() const;

private:
    friend class Transaction;
    friend class Query;
    Firebird::IAttachment *m_att = nullptr;
    std::set<Transaction *> m_transactions;
    std::set<Query *> m_queries;
};

// Parameters are texts such as "read_committed", "rec_version", "nowait", "read".
class Transaction {
public:
    explicit Transaction(Database &db, QStringList params = {});
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    QStringList params;

    void start();
    void commit();
    void rollback();
    bool isActive() const { return m_tra != nullptr; }
    Database &database() const { return *m_db; }
    Firebird::ITransaction *handle() const;

private:
    friend class Database;
    friend class Query;
    void forget(); // the connection went away
    Database *m_db;
    Firebird::ITransaction *m_tra = nullptr;
};

enum class ParamType { String, Integer, Memo, Blob, Boolean };

// One value of a result row, read straight from the row buffer.
class Field {
public:
    bool isNull() const;
    QString name() const;
    QString asString() const;        // text as stored (CHAR keeps its padding); numbers as decimals; NULL -> ""
    QByteArray asBytes() const;      // raw bytes: Latin-2 text or blob contents
    qint64 asInt64() const;          // NULL -> 0; text is parsed, 0 when not a number
    int asInt() const { return static_cast<int>(asInt64()); }
    double asDouble() const;
    QVariant value() const;          // NULL -> invalid QVariant
    // Latin-2 bytes of a text field without the blob/number handling; fastest path.
    std::string_view rawText() const;

private:
    friend class Query;
    Field(const Query *q, unsigned index) : m_q(q), m_i(index) {}
    qint64 asInt64Raw() const;
    const Query *m_q;
    unsigned m_i;
};

// A statement with its text, named input parameters and, for selects, an open cursor.
class Query {
public:
    Query(Database &db, Transaction &tra);
    ~Query();
    Query(const Query &) = delete;
    Query &operator=(const Query &) = delete;

    void setSql(const QString &sql);
    const QString &sql() const { return m_sql; }

    // Named parameters (":name" in the text), declared with their type when first set.
    void setString(const QString &name, const QString &value);
    void setInteger(const QString &name, qint64 value);
    void setMemo(const QString &name, const QString &value);
    void setBlob(const QString &name, const QByteArray &value);
    void setBoolean(const QString &name, bool value); // written as "T" / "F"
    void setNull(const QString &name, ParamType type);
    QStringList paramNames() const;

    void prepare();
    void open();     // run a select and stand on its first row
    void next();
    bool eof() const { return m_eof; }
    bool isOpen() const { return m_rs != nullptr || m_openNoCursor; }
    void close();
    void execute(); // run a statement without result rows
    // Runs a select and collects every row; the cursor is closed afterwards.
    std::vector<std::vector<QVariant>> fetchAll();

    int fieldCount() const;
    Field field(int index) const;
    Field fieldByName(const QString &name) const; // case-insensitive; throws when missing
    int fieldIndex(const QString &name) const;    // -1 when missing
    QStringList fieldNames() const;

    Transaction &transaction() const { return *m_tra; }

private:
    friend class Field;
    friend class Database;
    friend class Transaction;
    struct Param {
        QString name;
        ParamType type = ParamType::String;
        bool null = true;
        QByteArray bytes;   // string/memo/blob data
        qint64 integer = 0;
    };
    struct OutCol {
        QString name;
        unsigned type;
        int subType;
        int scale;
        unsigned length;
        unsigned offset;
        unsigned nullOffset;
    };
    void release();
    void ensurePrepared();
    void bindInput(std::vector<unsigned char> &buffer, Firebird::IMessageMetadata *&meta);
    Param &param(const QString &name);
    QByteArray readBlob(const unsigned char *quad) const;

    Database *m_db;
    Transaction *m_tra;
    QString m_sql;
    std::string m_fbSql;                   // text with ":name" replaced by "?"
    std::vector<QString> m_paramOrder;      // names by position
    std::vector<Param> m_params;            // distinct names
    Firebird::IStatement *m_stmt = nullptr;
    Firebird::ITransaction *m_stmtTra = nullptr;
    Firebird::IResultSet *m_rs = nullptr;
    Firebird::IMessageMetadata *m_outMeta = nullptr;
    std::vector<OutCol> m_cols;
    std::vector<unsigned char> m_row;
    bool m_eof = true;
    bool m_openNoCursor = false;
};

// Runs a script of SQL statements separated by the current terminator; "SET TERM x ;"
// switches the terminator. Each statement runs and commits in the given transaction.
void runScript(Transaction &tra, const QString &script);
// Splits a script the same way, for callers and tests that need the statements.
QStringList splitScript(const QString &script);

} // namespace fb
