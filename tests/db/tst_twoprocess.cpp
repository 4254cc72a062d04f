// Two programs on one database file: both open it at once, each sees the other's
// committed changes, and a conflicting write fails at once instead of waiting.
#include "sqlhelpers.h"
#include "testdb.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

#include <cstdio>

namespace {

// The second program: opens the file with the standard parameters and does one thing.
int runPeer(const QString &path, const QString &action)
{
    fb::usePrivateRootBesideProgram();
    try {
        fb::Database db;
        db.params = standardConnectionParams();
        db.databaseName = path;
        db.open();
        fb::Transaction ro(db, readOnlyTransactionParams());
        fb::Transaction rw(db, readWriteTransactionParams());
        ro.start();
        fb::Query q(db, ro);
        if (action == "linger") {
            // Like a program at rest: connected and waiting for events.
            std::printf("ready\n");
            std::fflush(stdout);
            return QCoreApplication::exec();
        }
        if (action == "read") {
            std::printf("%s\n", qPrintable(sql::SelectString(q, "select taxgrp_name from tax_group where taxgrp_id=1")));
            return 0;
        }
        rw.start();
        fb::Query w(db, rw);
        sql::RunSql(w, "update tax_group set taxgrp_name='peer' where taxgrp_id=1");
        rw.commit();
        std::printf("written\n");
        return 0;
    } catch (const std::exception &e) {
        std::printf("error: %s\n", e.what());
        return 3;
    }
}

struct PeerResult {
    int exitCode;
    QString output;
    qint64 ms;
};

PeerResult peer(const QString &path, const QString &action)
{
    QProcess p;
    QElapsedTimer t;
    t.start();
    p.start(QCoreApplication::applicationFilePath(), {"--peer", path, action});
    if (!p.waitForFinished(120000))
        return {-1, "timeout", t.elapsed()};
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()).trimmed(), t.elapsed()};
}

} // namespace

class TestTwoProcesses : public QObject {
    Q_OBJECT
private slots:
    void sameFileFromTwoProcesses();
    void terminationSignalEndsAConnectedProgram();
};

void TestTwoProcesses::sameFileFromTwoProcesses()
{
    TestDb t; // this process keeps the file open throughout
    t.exec("insert into tax_group (taxgrp_name) values ('eredeti')");

    // The other process opens the same file while we hold it, and reads what we committed.
    PeerResult r = peer(t.path(), "read");
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.output, QString("eredeti"));

    // We change the row without committing: the peer still reads the committed name, and
    // its write to the same row fails at once ("nowait") with the engine's lock message.
    t.rw.start();
    fb::Query w(t.db, t.rw);
    sql::RunSql(w, "update tax_group set taxgrp_name='mienk' where taxgrp_id=1");
    r = peer(t.path(), "read");
    QCOMPARE(r.output, QString("eredeti"));
    r = peer(t.path(), "write");
    QCOMPARE(r.exitCode, 3);
    QVERIFY2(r.output.contains("lock conflict", Qt::CaseInsensitive) || r.output.contains("deadlock", Qt::CaseInsensitive),
             qPrintable(r.output));
    // "At once": far below any lock timeout; a waiting writer would hang until we commit.
    QVERIFY2(r.ms < 30000, qPrintable(QString::number(r.ms)));

    // After our commit the peer sees our change, and then its own write goes through,
    // which our read-committed reader sees at its next read.
    t.rw.commit();
    r = peer(t.path(), "read");
    QCOMPARE(r.output, QString("mienk"));
    r = peer(t.path(), "write");
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(t.scalar("select taxgrp_name from tax_group where taxgrp_id=1"), QString("peer"));
}

void TestTwoProcesses::terminationSignalEndsAConnectedProgram()
{
    TestDb t;
    QProcess p;
    p.start(QCoreApplication::applicationFilePath(), {"--peer", t.path(), "linger"});
    QVERIFY(p.waitForReadyRead(60000));
    QCOMPARE(QString::fromUtf8(p.readAllStandardOutput()).trimmed(), QString("ready"));
    p.terminate(); // SIGTERM, as at logout
    const bool ended = p.waitForFinished(30000);
    if (!ended)
        p.kill();
    QVERIFY2(ended, "the program went on after SIGTERM");
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 128 + 15);
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 4 && QByteArray(argv[1]) == "--peer")
        return runPeer(QString::fromLocal8Bit(argv[2]), QString::fromLatin1(argv[3]));
    TestTwoProcesses test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_twoprocess.moc"
