#include "testdb.h"

#include "schema.h"

#include <QTest>

QStringList standardConnectionParams()
{
    return {QStringLiteral("user_name=sysdba"), QStringLiteral("password=quillbend"), QStringLiteral("lc_ctype=ISO8859_2")};
}

QStringList readOnlyTransactionParams()
{
    return {QStringLiteral("read_committed"), QStringLiteral("rec_version"), QStringLiteral("nowait"), QStringLiteral("read")};
}

QStringList readWriteTransactionParams()
{
    return {QStringLiteral("read_committed"), QStringLiteral("rec_version"), QStringLiteral("nowait")};
}

TestDb::TestDb() : ro(db, readOnlyTransactionParams()), rw(db, readWriteTransactionParams())
{
    fb::usePrivateRootBesideProgram();
    if (!m_dir.isValid())
        qFatal("no temporary folder");
    m_path = m_dir.filePath(QStringLiteral("key.fdb"));
    db.params = standardConnectionParams();
    fb::Transaction ddl(db, readWriteTransactionParams());
    schema::createKeyDatabase(db, ddl, m_path);
    db.setForcedWrites(false); // a scratch file: no need to wait for the disk
    ro.start();
}

TestDb::~TestDb()
{
    try {
        db.close();
    } catch (...) {
    }
}

void TestDb::exec(const QString &sql)
{
    if (rw.isActive())
        rw.rollback();
    rw.start();
    fb::Query q(db, rw);
    q.setSql(sql);
    q.execute();
    rw.commit();
}

QString TestDb::scalar(const QString &sql)
{
    fb::Query q(db, ro);
    q.setSql(sql);
    q.open();
    const QString v = q.eof() ? QString() : q.field(0).asString();
    q.close();
    return v;
}
