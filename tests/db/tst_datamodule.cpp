// The editor's data module on a real database: start-up, helpers, views, write pattern.
#include "config.h"
#include "schema.h"
#include "scripted_dialogs.h"
#include "testdb.h"
#include "utree_dm.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {
// A key database with two groups and three taxa, closed again so the data module opens it.
QString makeFile(const QString &folder)
{
    const QString path = folder + "/key.fdb";
    fb::Database d;
    d.params = connectionParams();
    fb::Transaction tr(d, readWriteParams());
    schema::createKeyDatabase(d, tr, path);
    tr.start();
    fb::Query q(d, tr);
    for (const char *s : {"insert into tax_group (taxgrp_name, taxgrp_lat) values ('Fák', 'Arbores')",
                          "insert into tax_group (taxgrp_name) values ('Cserjék')",
                          "insert into taxonnames (taxname_lat, taxname_taxgrp) values ('Tilia cordata', 1)",
                          "insert into taxonnames (taxname_lat, taxname_taxgrp) values ('Acer campestre', 1)",
                          "insert into taxonnames (taxname_lat, taxname_taxgrp) values ('Cornus mas', 2)"})
        sql::RunSql(q, s);
    tr.commit();
    d.close();
    return path;
}

struct Opened {
    QTemporaryDir dir;
    QString user;
    TDM dm;
    Opened()
    {
        fb::usePrivateRootBesideProgram();
        const QString db = makeFile(dir.path());
        user = config::prepareUserConfig(dir.path() + "/home", config::kEditorIni);
        config::writeIni(user, "DB", db);
        dm.DataModuleCreate(dir.path() + "/prog/", user);
    }
};
} // namespace

class TestDataModule : public QObject {
    Q_OBJECT
private slots:
    void startUpOpensEverything();
    void startUpFailureShowsTheDatabaseMessage();
    void selectStringEdges();
    void viewsFilterOrderLocateRefresh();
    void failedWriteIsRolledBackByTheNextWritePattern();
    void modelFollowsTheView();
};

void TestDataModule::startUpOpensEverything()
{
    Opened o;
    QVERIFY(o.dm.DB_Zuderirav.isOpen());
    QVERIFY(o.dm.Trans_readonly.isActive());
    QVERIFY(!o.dm.trans_readwrite.isActive());
    QVERIFY(o.dm.T_ro_group.isOpen() && o.dm.T_ro_kerdes.isOpen() && o.dm.t_ro_attrs.isOpen() && o.dm.t_ro_taxon.isOpen());
    QCOMPARE(o.dm.T_ro_group.rowCount(), 2);
    QCOMPARE(o.dm.q_taxphoto.paramNames(), QStringList({"ataxgrpid", "ataxnameid"}));
}

void TestDataModule::startUpFailureShowsTheDatabaseMessage()
{
    QTemporaryDir dir;
    const QString user = config::prepareUserConfig(dir.path(), config::kEditorIni);
    config::writeIni(user, "DB", dir.path() + "/elveszett.fdb");
    ScriptedDialogs dlg;
    dlg.expectError();
    TDM dm;
    dm.DataModuleCreate(dir.path() + "/", user);
    QVERIFY(dlg.lastText().contains("elveszett.fdb"));
    QVERIFY(!dm.DB_Zuderirav.isOpen());
    QVERIFY(!dm.Trans_readonly.isActive());
    QVERIFY(!dm.T_ro_group.isOpen());
    // Every later database action fails with the layer's error.
    QVERIFY_THROWS_EXCEPTION(fb::Error, dm.SelectString(dm.tmpquery, "select 1 from rdb$database"));
}

void TestDataModule::selectStringEdges()
{
    Opened o;
    QCOMPARE(o.dm.SelectString(o.dm.tmpquery, "select taxgrp_name from tax_group where taxgrp_id=99"), QString());
    QCOMPARE(o.dm.SelectString(o.dm.tmpquery, "select taxgrp_lat from tax_group where taxgrp_id=2"), QString());
    QCOMPARE(o.dm.SelectString(o.dm.tmpquery, "select count(*) from taxonnames where taxname_taxgrp=1"), QString("2"));
    QVERIFY(!o.dm.tmpquery.isOpen());
    o.dm.OpenQuery(o.dm.tmpquery, "select taxname_lat from taxonnames order by taxname_lat");
    QCOMPARE(o.dm.tmpquery.field(0).asString(), QString("Acer campestre"));
    o.dm.tmpquery.close();
}

void TestDataModule::viewsFilterOrderLocateRefresh()
{
    Opened o;
    db::TableView &tax = o.dm.t_ro_taxon;
    tax.setFiltered(false);
    tax.setFilter("taxname_taxgrp=1");
    tax.setFiltered(true);
    tax.refresh();
    QCOMPARE(tax.rowCount(), 2);
    QCOMPARE(tax.fieldText("TAXNAME_LAT"), QString("Acer campestre")); // ordered by Latin name
    QSignalSpy moved(&tax, &db::TableView::currentChanged);
    QVERIFY(tax.locate("TAXNAME_LAT", "Tilia cordata"));
    QCOMPARE(moved.count(), 1);
    QVERIFY(!tax.locate("TAXNAME_LAT", "Cornus mas")); // filtered away

    // A committed change shows at the next refresh; the current row is kept by key.
    o.dm.StartWrite();
    o.dm.RunSql(o.dm.tmpExecSQL, "insert into taxonnames (taxname_lat, taxname_taxgrp) values ('Abies alba', 1)");
    o.dm.CommitWrite();
    tax.refresh();
    QCOMPARE(tax.rowCount(), 3);
    QCOMPARE(tax.fieldText("TAXNAME_LAT"), QString("Tilia cordata"));
    QCOMPARE(tax.value(0, "TAXNAME_LAT").toString(), QString("Abies alba"));
}

void TestDataModule::failedWriteIsRolledBackByTheNextWritePattern()
{
    Opened o;
    // A write that fails half-way: the first statement worked, the second broke the unique index.
    o.dm.StartWrite();
    o.dm.RunSql(o.dm.tmpExecSQL, "insert into tax_group (taxgrp_name) values ('félkész')");
    QVERIFY_THROWS_EXCEPTION(fb::Error, o.dm.RunSql(o.dm.tmpExecSQL, "insert into taxonnames (taxname_lat, taxname_taxgrp) values ('Tilia cordata', 1)"));
    QVERIFY(o.dm.trans_readwrite.isActive());
    // Nothing of it is visible to readers.
    QCOMPARE(o.dm.SelectString(o.dm.tmpquery, "select count(*) from tax_group"), QString("2"));
    // The next action's write pattern rolls it back before its own work.
    o.dm.StartWrite();
    o.dm.RunSql(o.dm.tmpExecSQL, "insert into tax_group (taxgrp_name) values ('rendes')");
    o.dm.CommitWrite();
    QVERIFY(!o.dm.trans_readwrite.isActive());
    QCOMPARE(o.dm.SelectString(o.dm.tmpquery, "select count(*) from tax_group where taxgrp_name='félkész'"), QString("0"));
    QCOMPARE(o.dm.SelectString(o.dm.tmpquery, "select count(*) from tax_group where taxgrp_name='rendes'"), QString("1"));
}

void TestDataModule::modelFollowsTheView()
{
    Opened o;
    db::TableViewModel model(o.dm.T_ro_group, {"TAXGRP_NAME", "TAXGRP_LAT"}, {"Csoport neve", "Csoport Latin megnevezése"});
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QString("Csoport neve"));
    QCOMPARE(model.data(model.index(1, 1), Qt::DisplayRole).toString(), QString("Arbores")); // ordered by name: Cserjék, Fák
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    o.dm.StartWrite();
    o.dm.RunSql(o.dm.tmpExecSQL, "insert into tax_group (taxgrp_name) values ('Gombák')");
    o.dm.CommitWrite();
    o.dm.T_ro_group.refresh();
    QCOMPARE(reset.count(), 1);
    QCOMPARE(model.rowCount(), 3);
}

QTEST_GUILESS_MAIN(TestDataModule)
#include "tst_datamodule.moc"
