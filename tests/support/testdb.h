#pragma once
// A fresh key database file per test, made by the same creation script the editor uses.

#include "firebird.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

class TestDb {
public:
    TestDb();
    ~TestDb();

    QString path() const { return m_path; }
    QString folder() const { return m_dir.path(); }

    // A connection to the file with the standard parameters and its own transactions.
    fb::Database db;
    fb::Transaction ro;   // read_committed, rec_version, nowait, read
    fb::Transaction rw;   // read_committed, rec_version, nowait

    // Runs one statement in its own read-write transaction and commits it.
    void exec(const QString &sql);
    // First column of the first row through a fresh read-committed read.
    QString scalar(const QString &sql);

private:
    QTemporaryDir m_dir;
    QString m_path;
};

// The connection and transaction parameter texts of both programs.
QStringList standardConnectionParams();
QStringList readOnlyTransactionParams();
QStringList readWriteTransactionParams();
