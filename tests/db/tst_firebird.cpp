// The database wrapper against a real key database file.
#include "firebird.h"
#include "latin2.h"
#include "sqlhelpers.h"
#include "testdb.h"

#include <QTest>

class TestFirebird : public QObject {
    Q_OBJECT
private slots:
    void namedParametersOfEveryType();
    void nullsAndEmptyTexts();
    void blobsRoundTrip();
    void latin2TextRoundTrips();
    void unencodableTextIsRefusedAndNothingIsWritten();
    void errorsCarryFirebirdsMessage();
    void tooLongTextFails();
    void scriptRunnerObeysSetTerm();
    void splitScriptKeepsTerminatorsInsideQuotes();
    void transactionParametersAreChecked();
    void readOnlyTransactionRefusesWrites();
    void cursorStepsThroughRows();
};

void TestFirebird::namedParametersOfEveryType()
{
    TestDb t;
    t.rw.start();
    fb::Query q(t.db, t.rw);
    q.setSql("insert into tax_group (taxgrp_name, taxgrp_lat, taxgrp_desc, taxgrp_verzio) values (:name, :name2, :desc, :v)");
    QCOMPARE(q.paramNames(), QStringList({"name", "name2", "desc", "v"}));
    q.setString("name", "Fák");
    q.setString("NAME2", "Arbores");  // names are case-insensitive
    q.setMemo("desc", QString("hosszú\nleírás ") + QString(5000, u'x'));
    q.setInteger("v", 42);            // an integer into a text column is converted by the engine
    q.execute();
    t.rw.commit();

    fb::Query r(t.db, t.ro);
    r.setSql("select taxgrp_name, taxgrp_lat, taxgrp_desc, taxgrp_verzio, taxgrp_id from tax_group where taxgrp_name=:n");
    r.setString("n", "Fák");
    r.open();
    QVERIFY(!r.eof());
    QCOMPARE(r.field(0).asString(), QString("Fák"));
    QCOMPARE(r.fieldByName("TAXGRP_LAT").asString(), QString("Arbores"));
    QCOMPARE(r.field(2).asString().size(), 5000 + 14);
    QVERIFY(r.field(2).asString().startsWith("hosszú\nleírás "));
    QCOMPARE(r.field(3).asString(), QString("42"));
    QCOMPARE(r.field(4).asInt(), 1);
    r.next();
    QVERIFY(r.eof());
}

void TestFirebird::nullsAndEmptyTexts()
{
    TestDb t;
    t.rw.start();
    fb::Query q(t.db, t.rw);
    q.setSql("insert into tax_group (taxgrp_name, taxgrp_lat) values (:a, :b)");
    q.setString("a", "");
    q.setNull("b", fb::ParamType::String);
    q.execute();
    t.rw.commit();
    fb::Query r(t.db, t.ro);
    r.setSql("select taxgrp_name, taxgrp_lat, taxgrp_desc from tax_group");
    r.open();
    QVERIFY(!r.field(0).isNull());
    QCOMPARE(r.field(0).asString(), QString(""));
    QVERIFY(r.field(1).isNull());
    QVERIFY(r.field(2).isNull());
    QVERIFY(!r.field(1).value().isValid());
    QCOMPARE(r.field(2).asBytes(), QByteArray());
}

void TestFirebird::blobsRoundTrip()
{
    TestDb t;
    QByteArray binary(200000, Qt::Uninitialized);
    for (int i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>((i * 7919) & 0xFF); // every byte value, zeros included
    t.rw.start();
    fb::Query q(t.db, t.rw);
    q.setSql("insert into photos (photo_taxgrp_id, photo_taxname_id, photo_photo) values (1, 2, :p)");
    q.setBlob("p", binary);
    q.execute();
    q.setBlob("p", QByteArray());
    q.execute();
    t.rw.commit();
    fb::Query r(t.db, t.ro);
    r.setSql("select photo_photo from photos order by photo_id");
    r.open();
    QCOMPARE(r.field(0).asBytes(), binary);
    QCOMPARE(r.field(0).value().toByteArray(), binary);
    r.next();
    QVERIFY(!r.field(0).isNull()); // an empty blob is not NULL
    QCOMPARE(r.field(0).asBytes().size(), 0);
}

void TestFirebird::latin2TextRoundTrips()
{
    TestDb t;
    const QString all = "árvíztűrő tükörfúrógép ÁRVÍZTŰRŐ TÜKÖRFÚRÓGÉP ß ł Ż ˇ";
    t.rw.start();
    fb::Query q(t.db, t.rw);
    q.setSql("insert into taxonnames (taxname_lat, taxname_hun, taxname_desc) values ('x', :h, :d)");
    q.setString("h", all.left(80));
    q.setMemo("d", all);
    q.execute();
    t.rw.commit();
    QCOMPARE(t.scalar("select taxname_hun from taxonnames"), all.left(80));
    QCOMPARE(t.scalar("select taxname_desc from taxonnames"), all);
    // The engine compares in Latin-2 too.
    QCOMPARE(t.scalar("select count(*) from taxonnames where taxname_hun starting with 'árvíztűrő'"), QString("1"));
}

void TestFirebird::unencodableTextIsRefusedAndNothingIsWritten()
{
    TestDb t;
    t.rw.start();
    fb::Query q(t.db, t.rw);
    q.setSql("insert into tax_group (taxgrp_name) values (:n)");
    try {
        q.setString("n", "Fák „idézet”");
        QFAIL("no error");
    } catch (const latin2::EncodingError &e) {
        const QString msg = QString::fromUtf8(e.what());
        QVERIFY2(msg.contains(u'„') && msg.contains("U+201E"), qPrintable(msg));
    }
    // The statement text itself is checked too.
    QVERIFY_THROWS_EXCEPTION(latin2::EncodingError, sql::RunSql(q, "insert into tax_group (taxgrp_name) values ('€')"));
    t.rw.commit();
    QCOMPARE(t.scalar("select count(*) from tax_group"), QString("0"));
    QVERIFY(latin2::canEncode("Őrség"));
    QVERIFY(!latin2::canEncode("😀"));
}

void TestFirebird::errorsCarryFirebirdsMessage()
{
    TestDb t;
    fb::Query q(t.db, t.ro);
    try {
        sql::OpenQuery(q, "select nosuchcolumn from tax_group");
        QFAIL("no error");
    } catch (const fb::Error &e) {
        QVERIFY2(e.text().contains("NOSUCHCOLUMN"), qPrintable(e.text()));
    }
    fb::Database missing;
    missing.params = standardConnectionParams();
    missing.databaseName = t.folder() + "/nincs.fdb";
    try {
        missing.open();
        QFAIL("opened a missing file");
    } catch (const fb::Error &e) {
        QVERIFY2(e.text().contains("nincs.fdb"), qPrintable(e.text()));
    }
    QVERIFY(!missing.isOpen());
}

void TestFirebird::tooLongTextFails()
{
    TestDb t;
    t.rw.start();
    fb::Query q(t.db, t.rw);
    q.setSql("insert into tax_group (taxgrp_verzio) values (:v)");
    q.setString("v", "1234567890123"); // 13 characters into VARCHAR(12)
    try {
        q.execute();
        QFAIL("no error");
    } catch (const fb::Error &e) {
        QVERIFY2(e.text().contains("truncation", Qt::CaseInsensitive), qPrintable(e.text()));
    }
    t.rw.rollback();
    QCOMPARE(t.scalar("select count(*) from tax_group"), QString("0"));
}

void TestFirebird::scriptRunnerObeysSetTerm()
{
    TestDb t;
    fb::Transaction ddl(t.db, readWriteTransactionParams());
    fb::runScript(ddl, "CREATE TABLE T1 (A INTEGER, B VARCHAR(10));\n"
                       "SET TERM ^ ;\n"
                       "CREATE TRIGGER T1_BI FOR T1 ACTIVE BEFORE INSERT POSITION 0 AS\n"
                       "BEGIN\n  if (NEW.b is NULL) then NEW.b = 'x;y';\nEND^\n"
                       "SET TERM ; ^\n"
                       "INSERT INTO T1 (A) VALUES (1);\n");
    QVERIFY(!ddl.isActive());
    QCOMPARE(t.scalar("select b from t1 where a=1"), QString("x;y"));
}

void TestFirebird::splitScriptKeepsTerminatorsInsideQuotes()
{
    const QStringList parts = fb::splitScript("a 'x;y';\n-- comment; here\nb;\nSET TERM ^ ;\nc; d^\nSET TERM ; ^\n e ;");
    QCOMPARE(parts, QStringList({"a 'x;y'", "-- comment; here\nb", "c; d", "e"}));
}

void TestFirebird::transactionParametersAreChecked()
{
    TestDb t;
    fb::Transaction bad(t.db, {"read_committed", "bogus"});
    QVERIFY_THROWS_EXCEPTION(fb::Error, bad.start());
    QVERIFY(!bad.isActive());
    fb::Database d;
    d.params = {"user_name=sysdba", "colour=blue"};
    d.databaseName = t.path();
    QVERIFY_THROWS_EXCEPTION(fb::Error, d.open());
}

void TestFirebird::readOnlyTransactionRefusesWrites()
{
    TestDb t;
    fb::Query q(t.db, t.ro);
    QVERIFY_THROWS_EXCEPTION(fb::Error, sql::RunSql(q, "insert into tax_group (taxgrp_name) values ('x')"));
}

void TestFirebird::cursorStepsThroughRows()
{
    TestDb t;
    for (int i = 1; i <= 3; ++i)
        t.exec(QString("insert into tax_group (taxgrp_name) values ('g%1')").arg(i));
    fb::Query q(t.db, t.ro);
    sql::OpenQuery(q, "select taxgrp_name from tax_group order by taxgrp_name desc");
    QStringList names;
    for (; !q.eof(); q.next())
        names << q.field(0).asString();
    QCOMPARE(names, QStringList({"g3", "g2", "g1"}));
    QVERIFY(q.field(0).isNull()); // past the end
    QCOMPARE(q.fetchAll().size(), size_t(3));
}

QTEST_GUILESS_MAIN(TestFirebird)
#include "tst_firebird.moc"
