// The key database made by the creation script: keys, generators, indexes, descriptions.
#include "schema.h"
#include "sqlhelpers.h"
#include "testdb.h"

#include <QTest>

class TestSchema : public QObject {
    Q_OBJECT
private slots:
    void tablesColumnsAndOrder_data();
    void tablesColumnsAndOrder();
    void pageSizeCharsetAndOwner();
    void generatorsFillMissingKeysOnly();
    void latinNameUniquePerGroup();
    void duplicateMatrixRowsAreAccepted();
    void paddedValueReadsBackTrimmed();
    void exportDefaultAndFlagReading_data();
    void exportDefaultAndFlagReading();
    void storedDescriptions();
    void indexesAndTriggers();
};

void TestSchema::tablesColumnsAndOrder_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("columns");
    QTest::newRow("ATTRS") << "ATTRS" << "ATTR_ID A_TAXGRP_ID A_KERDES_ID A_TAXON_ID A_ERTEK";
    QTest::newRow("PHOTOS") << "PHOTOS" << "PHOTO_ID PHOTO_TAXGRP_ID PHOTO_TAXNAME_ID PHOTO_PHOTO PHOTO_ORDER";
    QTest::newRow("QUESTIONS") << "QUESTIONS"
                               << "Q_ID Q_PARENTID Q_TAXGRP_ID Q_LEAFNODE Q_QUESTION Q_HINT Q_HINTPIC Q_ORDER Q_TMPORDER EXPORT";
    QTest::newRow("TAXONNAMES") << "TAXONNAMES"
                                << "TAXNAME_ID TAXNAME_LAT TAXNAME_HUN TAXNAME_LINK TAXNAME_TAXGRP TAXNAME_DESC EXPORT";
    QTest::newRow("TAX_GROUP") << "TAX_GROUP"
                               << "TAXGRP_ID TAXGRP_NAME TAXGRP_LAT TAXGRP_DESC TAXGRP_CREATOR TAXGRP_VERZIO TAXGRP_COMMENT";
}

void TestSchema::tablesColumnsAndOrder()
{
    QFETCH(QString, table);
    QFETCH(QString, columns);
    TestDb t;
    fb::Query q(t.db, t.ro);
    sql::OpenQuery(q, QString("select trim(rdb$field_name) from rdb$relation_fields where rdb$relation_name='%1' order by rdb$field_position").arg(table));
    QStringList names;
    for (; !q.eof(); q.next())
        names << q.field(0).asString();
    QCOMPARE(names.join(' '), columns);
    // Only the key is NOT NULL.
    QCOMPARE(t.scalar(QString("select count(*) from rdb$relation_fields where rdb$relation_name='%1' and rdb$null_flag=1").arg(table)),
             QString("1"));
}

void TestSchema::pageSizeCharsetAndOwner()
{
    TestDb t;
    QCOMPARE(t.scalar("select mon$page_size from mon$database"), QString("4096"));
    QCOMPARE(t.scalar("select trim(rdb$character_set_name) from rdb$database"), QString("ISO8859_2"));
    QCOMPARE(t.scalar("select trim(mon$owner) from mon$database"), QString("SYSDBA"));
    QCOMPARE(t.scalar("select mon$sql_dialect from mon$database"), QString("3"));
}

void TestSchema::generatorsFillMissingKeysOnly()
{
    TestDb t;
    t.exec("insert into tax_group (taxgrp_name) values ('a')");
    t.exec("insert into tax_group (taxgrp_name) values ('b')");
    QCOMPARE(t.scalar("select taxgrp_id from tax_group where taxgrp_name='b'"), QString("2"));
    t.exec("insert into tax_group (taxgrp_id, taxgrp_name) values (100, 'explicit')");
    QCOMPARE(t.scalar("select taxgrp_id from tax_group where taxgrp_name='explicit'"), QString("100"));
    QCOMPARE(t.scalar("select gen_id(gen_taxgrp_id, 0) from rdb$database"), QString("2"));
    // Every table has its trigger and generator.
    t.exec("insert into attrs (a_ertek) values ('+')");
    t.exec("insert into photos (photo_order) values (1)");
    t.exec("insert into questions (q_question) values ('q')");
    t.exec("insert into taxonnames (taxname_lat) values ('x')");
    for (const char *sql : {"select attr_id from attrs", "select photo_id from photos", "select q_id from questions",
                            "select taxname_id from taxonnames"})
        QCOMPARE(t.scalar(sql), QString("1"));
    // A top-level question stored with a NULL parent reads as 0 through the wrapper.
    fb::Query q(t.db, t.ro);
    sql::OpenQuery(q, "select q_parentid from questions");
    QCOMPARE(q.field(0).asInt(), 0);
}

void TestSchema::latinNameUniquePerGroup()
{
    TestDb t;
    t.exec("insert into taxonnames (taxname_lat, taxname_taxgrp) values ('Quercus robur', 1)");
    t.exec("insert into taxonnames (taxname_lat, taxname_taxgrp) values ('Quercus robur', 2)");
    try {
        t.exec("insert into taxonnames (taxname_lat, taxname_taxgrp) values ('Quercus robur', 1)");
        QFAIL("duplicate accepted");
    } catch (const fb::Error &e) {
        QVERIFY2(e.text().contains("IDX_TAXONNAMES2"), qPrintable(e.text()));
    }
    QCOMPARE(t.scalar("select count(*) from taxonnames"), QString("2"));
}

void TestSchema::duplicateMatrixRowsAreAccepted()
{
    TestDb t;
    t.exec("insert into attrs (a_taxgrp_id, a_kerdes_id, a_taxon_id, a_ertek) values (1, 2, 3, '+')");
    t.exec("insert into attrs (a_taxgrp_id, a_kerdes_id, a_taxon_id, a_ertek) values (1, 2, 3, '-')");
    QCOMPARE(t.scalar("select count(*) from attrs where a_taxgrp_id=1 and a_kerdes_id=2 and a_taxon_id=3"), QString("2"));
}

void TestSchema::paddedValueReadsBackTrimmed()
{
    TestDb t;
    t.exec("insert into attrs (a_ertek) values ('+')");
    fb::Query q(t.db, t.ro);
    sql::OpenQuery(q, "select a_ertek from attrs");
    QCOMPARE(q.field(0).asString(), QString("+    ")); // CHAR(5) pads
    QCOMPARE(q.field(0).asString().trimmed(), QString("+"));
}

void TestSchema::exportDefaultAndFlagReading_data()
{
    QTest::addColumn<QString>("stored"); // "<null>" for NULL
    QTest::addColumn<bool>("flag");
    QTest::newRow("T") << "T" << true;
    QTest::newRow("t") << "t" << true;
    QTest::newRow("Y") << "Y" << true;
    QTest::newRow("y") << "y" << true;
    QTest::newRow("F") << "F" << false;
    QTest::newRow("1") << "1" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("NULL") << "<null>" << false;
}

void TestSchema::exportDefaultAndFlagReading()
{
    QFETCH(QString, stored);
    QFETCH(bool, flag);
    TestDb t;
    t.exec("insert into taxonnames (taxname_lat) values ('default')");
    QCOMPARE(t.scalar("select export from taxonnames"), QString("T"));
    t.exec(stored == "<null>" ? QString("update taxonnames set export=null") : QString("update taxonnames set export='%1'").arg(stored));
    QCOMPARE(sql::readFlag(t.scalar("select export from taxonnames")), flag);
    QCOMPARE(sql::flagText(true), QString("T"));
    QCOMPARE(sql::flagText(false), QString("F"));
}

void TestSchema::storedDescriptions()
{
    TestDb t;
    QCOMPARE(t.scalar("select rdb$description from rdb$relations where rdb$relation_name='TAXONNAMES'"),
             QString("Taxon (mainly species) names and mandatory data for displaying its information. "));
    const QList<QPair<QString, QString>> fields = {{"TAXGRP_ID", "Numeric identifier of taxon group"},
                                                   {"TAXGRP_NAME", "Name of taxon group"},
                                                   {"TAXGRP_LAT", "Scientific name of taxon group"},
                                                   {"TAXGRP_DESC", "Description of group"},
                                                   {"TAXGRP_CREATOR", "Creator's name"}};
    for (const auto &[field, text] : fields)
        QCOMPARE(t.scalar(QString("select rdb$description from rdb$relation_fields where rdb$relation_name='TAX_GROUP' and rdb$field_name='%1'").arg(field)),
                 text);
}

void TestSchema::indexesAndTriggers()
{
    TestDb t;
    fb::Query q(t.db, t.ro);
    sql::OpenQuery(q, "select trim(rdb$index_name), coalesce(rdb$unique_flag,0), trim(rdb$relation_name) from rdb$indices "
                      "where rdb$index_name starting with 'IDX_' order by 1");
    QStringList idx;
    for (; !q.eof(); q.next())
        idx << q.field(0).asString() + ":" + q.field(1).asString() + ":" + q.field(2).asString();
    QCOMPARE(idx, QStringList({"IDX_ATTRS1:0:ATTRS", "IDX_PHOTOS1:0:PHOTOS", "IDX_PHOTOS2:0:PHOTOS", "IDX_TAXONNAMES2:1:TAXONNAMES"}));
    QCOMPARE(t.scalar("select trim(rdb$relation_name) from rdb$triggers where rdb$trigger_name='ATTR_ID'"), QString("ATTRS"));
    QCOMPARE(t.scalar("select count(*) from rdb$triggers where rdb$trigger_name in ('TR_PHOTO_ID','TR_Q_ID','TR_TAXGRP_ID','TR_TAXNAME_ID')"),
             QString("4"));
}

QTEST_GUILESS_MAIN(TestSchema)
#include "tst_schema.moc"
