// The group dialog: browse and edit modes, the pending-edit flag, creating, changing and
// deleting groups, and its messages.
#include "application.h"
#include "editorfixture.h"
#include "scripted_dialogs.h"
#include "utree_groups.h"

#include <QAbstractItemModel>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>

using editor::TGroupForm;

namespace {

// A data module opened on a seeded key database, and the dialog on it.
class GroupsFixture {
public:
    TestDb db;
    TDM dm;
    std::unique_ptr<TGroupForm> form;

    GroupsFixture()
    {
        seedGroups(db);
        db.exec("insert into tax_group (taxgrp_name) values ('Kis''kert')");
        dm.DB_Zuderirav.databaseName = db.path();
        dm.DataModuleCreate(QString(), QString());
        form = std::make_unique<TGroupForm>(dm);
        form->show();
    }

    int rowOf(const QString &name) const
    {
        QAbstractItemModel *model = form->DBGrid1->model();
        for (int r = 0; r < model->rowCount(); ++r)
            if (model->index(r, 0).data().toString() == name)
                return r;
        return -1;
    }

    void click(const QString &name)
    {
        const int row = rowOf(name);
        QVERIFY2(row >= 0, qPrintable(name));
        const QModelIndex index = form->DBGrid1->model()->index(row, 1);
        QTest::mouseClick(form->DBGrid1->viewport(), Qt::LeftButton, {}, form->DBGrid1->visualRect(index).center());
    }

    void press(QPushButton *button)
    {
        QVERIFY(button->isVisible());
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // Every group's name, by id.
    QStringList names()
    {
        QStringList out;
        fb::Query q(db.db, db.ro);
        q.setSql("select taxgrp_name from tax_group order by taxgrp_id");
        for (const auto &row : q.fetchAll())
            out << row.at(0).toString();
        return out;
    }

    QString field(const QString &column, const QString &name)
    {
        return db.scalar(QString("select %1 from tax_group where taxgrp_name='%2'").arg(column, name));
    }

    // Shown within the dialog, whether the dialog itself is showing or not.
    bool shown(const QWidget *w) const { return w->isVisibleTo(form.get()); }
    bool editMode() const
    {
        return shown(form->btnOk) && shown(form->btnCancel) && !shown(form->btnInsert) && !shown(form->btnDelete) &&
               form->E_Grpname->isEnabled() && form->m_grpdesc->isEnabled();
    }
    bool browseMode() const
    {
        return !shown(form->btnOk) && !shown(form->btnCancel) && shown(form->btnInsert) && shown(form->btnDelete) &&
               !form->E_Grpname->isEnabled() && !form->e_grplat->isEnabled() && !form->e_creator->isEnabled() &&
               !form->e_verzio->isEnabled() && !form->m_grpdesc->isEnabled() && form->e_id->text().isEmpty() &&
               form->E_Grpname->text().isEmpty() && form->m_grpdesc->toPlainText().isEmpty();
    }
};

const QString kDiscard = QStringLiteral("Elveti a függőben lévő módosításokat?");

} // namespace

class TestGroups : public QObject {
    Q_OBJECT
private slots:
    void startsInBrowseMode();
    void clickLoadsTheGroup_data();
    void clickLoadsTheGroup();
    void everyFieldMarksPendingEdits_data();
    void everyFieldMarksPendingEdits();
    void newGroupName_data();
    void newGroupName();
    void newGroupStoresTrimmedFields();
    void renameMayTakeAnotherGroupsName();
    void okWithoutChangesWritesNothing();
    void pendingEditsSurviveAClickOnAnotherGroup();
    void insertWithPendingEdits_data();
    void insertWithPendingEdits();
    void cancelDiscards();
    void exitWithPendingEdits_data();
    void exitWithPendingEdits();
    void deleteGroup_data();
    void deleteGroup();
    void lockedRowFailsAndTheNextSaveRecovers();
    void textOutsideLatin2IsRefused();
};

void TestGroups::startsInBrowseMode()
{
    GroupsFixture f;
    QVERIFY(f.browseMode());
    QVERIFY(!f.form->DataModified);
    QCOMPARE(f.form->windowTitle(), QString("Csoportok adatainak kezelése"));
    QCOMPARE(f.form->property("helpContext").toInt(), 10);
    QCOMPARE(f.form->l_fajszam->text(), QString("0 db"));
    QVERIFY(f.form->e_id->isReadOnly());
    QCOMPARE(f.form->e_verzio->maxLength(), 12);
    QAbstractItemModel *model = f.form->DBGrid1->model();
    QCOMPARE(model->columnCount(), 3);
    QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QString("Csoport neve"));
    QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QString("Csoport Latin megnevezése"));
    QCOMPARE(model->headerData(2, Qt::Horizontal).toString(), QString("Készítő"));
    QCOMPARE(model->rowCount(), 4);
    QCOMPARE(f.form->DBGrid1->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(f.form->DBGrid1->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(f.form->btnInsert->toolTip(), QString("Új csoport létrehozása"));
    QCOMPARE(f.form->btnDelete->toolTip(), QString("Csoport törlése"));
    QCOMPARE(f.form->btnOk->toolTip(), QString("Kijelölt csoport módosításának jóváhagyása"));
    QCOMPARE(f.form->btnCancel->toolTip(), QString("Kijelölt csoport módosításának elvetése"));
    QCOMPARE(f.form->btnexit->toolTip(), QString("Kilépés a csoportszerkesztőből"));
    QCOMPARE(f.form->E_Grpname->toolTip(), QString("A csoport neve, ez látszik a határozó fejlécében"));
}

void TestGroups::clickLoadsTheGroup_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("lat");
    QTest::addColumn<QString>("creator");
    QTest::addColumn<QString>("verzio");
    QTest::addColumn<QString>("desc");
    QTest::addColumn<QString>("count");
    QTest::newRow("two taxa") << "Fák" << "Arbores" << "Kiss Anna" << "1.2" << "Hazai fák levél alapján." << "2 db";
    QTest::newRow("no taxa") << "Üres" << "Vacua" << "" << "" << "" << "0 db";
    QTest::newRow("one taxon") << "Cserjék" << "" << "" << "" << "" << "1 db";
}

void TestGroups::clickLoadsTheGroup()
{
    QFETCH(QString, group);
    QFETCH(QString, lat);
    QFETCH(QString, creator);
    QFETCH(QString, verzio);
    QFETCH(QString, desc);
    QFETCH(QString, count);
    GroupsFixture f;
    f.click(group);
    QVERIFY(f.editMode());
    QVERIFY(!f.form->DataModified);
    QCOMPARE(f.form->e_id->text(), f.field("taxgrp_id", group));
    QCOMPARE(f.form->E_Grpname->text(), group);
    QCOMPARE(f.form->e_grplat->text(), lat);
    QCOMPARE(f.form->e_creator->text(), creator);
    QCOMPARE(f.form->e_verzio->text(), verzio);
    QCOMPARE(f.form->m_grpdesc->toPlainText(), desc);
    QCOMPARE(f.form->l_fajszam->text(), count);
    QCOMPARE(f.dm.T_ro_group.fieldText("TAXGRP_NAME"), group);
    QVERIFY(!f.dm.trans_readwrite.isActive());
}

void TestGroups::everyFieldMarksPendingEdits_data()
{
    QTest::addColumn<QString>("field");
    QTest::newRow("name") << "E_Grpname";
    QTest::newRow("latin name") << "e_grplat";
    QTest::newRow("creator") << "e_creator";
    QTest::newRow("version") << "e_verzio";
    QTest::newRow("description") << "m_grpdesc";
}

void TestGroups::everyFieldMarksPendingEdits()
{
    QFETCH(QString, field);
    GroupsFixture f;
    f.click("Fák");
    QVERIFY(!f.form->DataModified);
    QWidget *w = f.form->findChild<QWidget *>(field);
    QVERIFY(w);
    w->setFocus();
    QTest::keyClick(w, Qt::Key_X);
    QVERIFY(f.form->DataModified);
    // Cancel leaves without writing.
    f.press(f.form->btnCancel);
    QVERIFY(f.browseMode());
    QVERIFY(!f.form->DataModified);
    QCOMPARE(f.field("taxgrp_lat", "Fák"), QString("Arbores"));
}

void TestGroups::newGroupName_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("error");  // "" when it is stored
    QTest::addColumn<QString>("stored");
    QTest::newRow("new name, trimmed") << "  Bükkösök  " << "" << "Bükkösök";
    QTest::newRow("existing name") << "Fák" << "A csoportnév már létezik!" << "";
    QTest::newRow("existing name with blanks") << " Fák " << "A csoportnév már létezik!" << "";
    QTest::newRow("differs only in letter case") << "fák" << "" << "fák";
    QTest::newRow("only blanks") << "    " << "A csoportnév nem lehet üres!" << "";
    QTest::newRow("empty") << "" << "A csoportnév nem lehet üres!" << "";
    QTest::newRow("with an apostrophe") << "O'Brien bokrai" << "" << "O'Brien bokrai";
    QTest::newRow("existing name with an apostrophe") << "Kis'kert" << "A csoportnév már létezik!" << "";
}

void TestGroups::newGroupName()
{
    QFETCH(QString, typed);
    QFETCH(QString, error);
    QFETCH(QString, stored);
    GroupsFixture f;
    const QStringList before = f.names();
    f.press(f.form->btnInsert);
    QVERIFY(f.editMode());
    QVERIFY(f.form->e_id->text().isEmpty());
    f.form->E_Grpname->setText(typed);
    f.form->e_creator->setText("Teszt Elek");
    {
        ScriptedDialogs dialogs;
        if (!error.isEmpty())
            dialogs.expectError();
        f.press(f.form->btnOk);
        QCOMPARE(dialogs.texts(), error.isEmpty() ? QStringList() : QStringList({error}));
    }
    if (error.isEmpty()) {
        QCOMPARE(f.names(), before + QStringList({stored}));
        QVERIFY(f.browseMode());
        QVERIFY(!f.form->DataModified);
        // The list shows the new group at once.
        QVERIFY(f.rowOf(stored) >= 0);
        QCOMPARE(f.form->DBGrid1->model()->rowCount(), before.size() + 1);
    } else {
        QCOMPARE(f.names(), before);
        QVERIFY(f.editMode());
        QCOMPARE(f.form->E_Grpname->text(), typed);
        QCOMPARE(f.form->e_creator->text(), QString("Teszt Elek"));
        QVERIFY(f.form->DataModified);
    }
}

void TestGroups::newGroupStoresTrimmedFields()
{
    GroupsFixture f;
    f.press(f.form->btnInsert);
    f.form->E_Grpname->setText(" Gyepek ");
    f.form->e_grplat->setText("  Prata ");
    f.form->e_creator->setText(" Nagy Éva");
    f.form->e_verzio->setText("2.0 ");
    f.form->m_grpdesc->setPlainText("\n  Első sor\nMásodik sor  \n");
    f.press(f.form->btnOk);
    QCOMPARE(f.field("taxgrp_lat", "Gyepek"), QString("Prata"));
    QCOMPARE(f.field("taxgrp_creator", "Gyepek"), QString("Nagy Éva"));
    QCOMPARE(f.field("taxgrp_verzio", "Gyepek"), QString("2.0"));
    QCOMPARE(f.field("taxgrp_desc", "Gyepek"), QString("Első sor\nMásodik sor"));
    // The id comes from the generator.
    QCOMPARE(f.field("taxgrp_id", "Gyepek"), QString("5"));
    QVERIFY(!f.dm.trans_readwrite.isActive());
}

void TestGroups::renameMayTakeAnotherGroupsName()
{
    GroupsFixture f;
    f.click("Üres");
    const QString id = f.form->e_id->text();
    f.form->E_Grpname->setText("  Fák ");
    f.form->e_grplat->setText("");
    ScriptedDialogs dialogs; // nothing may be asked
    f.press(f.form->btnOk);
    QVERIFY(f.browseMode());
    QCOMPARE(f.db.scalar("select taxgrp_name from tax_group where taxgrp_id=" + id), QString("Fák"));
    QCOMPARE(f.db.scalar("select count(*) from tax_group where taxgrp_name='Fák'"), QString("2"));
    // An emptied field is stored empty.
    QCOMPARE(f.db.scalar("select taxgrp_lat from tax_group where taxgrp_id=" + id), QString());
    QCOMPARE(f.db.scalar("select count(*) from tax_group where taxgrp_lat is null"), QString("2"));
}

void TestGroups::okWithoutChangesWritesNothing()
{
    GroupsFixture f;
    f.click("Fák");
    // Unchanged fields: even a generator bump or a rewrite would show as a changed row.
    f.db.exec("update tax_group set taxgrp_lat='changed elsewhere' where taxgrp_name='Fák'");
    ScriptedDialogs dialogs;
    f.press(f.form->btnOk);
    QVERIFY(f.browseMode());
    QCOMPARE(f.field("taxgrp_lat", "Fák"), QString("changed elsewhere"));
    QVERIFY(!f.dm.trans_readwrite.isActive());
}

void TestGroups::pendingEditsSurviveAClickOnAnotherGroup()
{
    GroupsFixture f;
    f.click("Fák");
    const QString id = f.form->e_id->text();
    f.form->e_creator->setText("Új Készítő");
    f.click("Cserjék");
    // The list moved; the fields kept the pending edit and its identifier.
    QCOMPARE(f.dm.T_ro_group.fieldText("TAXGRP_NAME"), QString("Cserjék"));
    QCOMPARE(f.form->e_id->text(), id);
    QCOMPARE(f.form->E_Grpname->text(), QString("Fák"));
    QCOMPARE(f.form->e_creator->text(), QString("Új Készítő"));
    QCOMPARE(f.form->l_fajszam->text(), QString("2 db"));
    f.press(f.form->btnOk);
    QCOMPARE(f.field("taxgrp_creator", "Fák"), QString("Új Készítő"));
    QCOMPARE(f.field("taxgrp_creator", "Cserjék"), QString());
}

void TestGroups::insertWithPendingEdits_data()
{
    QTest::addColumn<QString>("answer");
    QTest::newRow("No: the edits stay") << "no";
    QTest::newRow("Yes: empty fields for the new group") << "yes";
}

void TestGroups::insertWithPendingEdits()
{
    QFETCH(QString, answer);
    GroupsFixture f;
    f.click("Fák");
    const QString id = f.form->e_id->text();
    f.form->e_grplat->setText("Arbores et frutices");
    // Edit mode hides the insert button; the handler keeps its rule all the same.
    ScriptedDialogs dialogs;
    answer == "no" ? dialogs.answerNo() : dialogs.answerYes();
    f.form->btnInsertClick();
    QCOMPARE(dialogs.texts(), QStringList({kDiscard}));
    if (answer == "no") {
        QCOMPARE(f.form->e_id->text(), id);
        QCOMPARE(f.form->e_grplat->text(), QString("Arbores et frutices"));
        QVERIFY(f.form->DataModified);
    } else {
        QVERIFY(f.form->e_id->text().isEmpty());
        QVERIFY(f.form->E_Grpname->text().isEmpty());
        QVERIFY(f.editMode());
        QVERIFY(!f.form->DataModified);
    }
    QCOMPARE(f.field("taxgrp_lat", "Fák"), QString("Arbores"));
}

void TestGroups::cancelDiscards()
{
    GroupsFixture f;
    f.press(f.form->btnInsert);
    f.form->E_Grpname->setText("Soha");
    f.press(f.form->btnCancel);
    QVERIFY(f.browseMode());
    QVERIFY(!f.form->DataModified);
    QVERIFY(!f.names().contains("Soha"));
}

void TestGroups::exitWithPendingEdits_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("leaves");
    QTest::newRow("No: stays in the dialog") << "no" << false;
    QTest::newRow("Yes: leaves with OK") << "yes" << true;
}

void TestGroups::exitWithPendingEdits()
{
    QFETCH(QString, answer);
    QFETCH(bool, leaves);
    GroupsFixture f;
    f.click("Fák");
    f.form->E_Grpname->setText("Fák 2");
    f.form->setResult(-1);
    ScriptedDialogs dialogs;
    answer == "no" ? dialogs.answerNo() : dialogs.answerYes();
    f.press(f.form->btnexit);
    QCOMPARE(dialogs.texts(), QStringList({kDiscard}));
    QCOMPARE(f.form->isVisible(), !leaves);
    if (leaves) {
        QCOMPARE(f.form->result(), int(QDialog::Accepted));
        QVERIFY(f.browseMode());
        QVERIFY(!f.form->DataModified);
    } else {
        QCOMPARE(f.form->E_Grpname->text(), QString("Fák 2"));
        QVERIFY(f.editMode());
    }
    QVERIFY(f.names().contains("Fák"));
    QVERIFY(!f.dm.trans_readwrite.isActive());
}

void TestGroups::deleteGroup_data()
{
    QTest::addColumn<QString>("answer");
    QTest::newRow("No: nothing goes") << "no";
    QTest::newRow("Yes: the group and all its rows go") << "yes";
}

void TestGroups::deleteGroup()
{
    QFETCH(QString, answer);
    GroupsFixture f;
    // A little of everything in two groups: 1 "Fák" and 3 "Cserjék".
    for (const char *group : {"1", "3"}) {
        const QString g = QString::fromLatin1(group);
        f.db.exec("insert into questions (q_parentid,q_taxgrp_id,q_leafnode,q_question,q_tmporder) values (0," + g + ",'T','Levél',1)");
        f.db.exec("insert into photos (photo_taxgrp_id,photo_taxname_id) values (" + g + ",1)");
        f.db.exec("insert into attrs (a_taxgrp_id,a_kerdes_id,a_taxon_id,a_ertek) values (" + g + ",1,1,'+')");
    }
    const auto rowsOf = [&](const QString &g) {
        return QStringList({f.db.scalar("select count(*) from attrs where a_taxgrp_id=" + g),
                            f.db.scalar("select count(*) from photos where photo_taxgrp_id=" + g),
                            f.db.scalar("select count(*) from questions where q_taxgrp_id=" + g),
                            f.db.scalar("select count(*) from taxonnames where taxname_taxgrp=" + g),
                            f.db.scalar("select count(*) from tax_group where taxgrp_id=" + g)});
    };
    const QStringList fakBefore = rowsOf("1");
    QCOMPARE(rowsOf("3"), QStringList({"1", "1", "1", "1", "1"}));

    // The list stands on "Cserjék" in browse mode (arrow keys move it without loading).
    f.dm.T_ro_group.locate("TAXGRP_NAME", "Cserjék");
    QVERIFY(f.browseMode());
    QVERIFY(f.form->btnDelete->isEnabled());
    ScriptedDialogs dialogs;
    answer == "no" ? dialogs.answerNo() : dialogs.answerYes();
    f.press(f.form->btnDelete);
    const QString question = dialogs.lastText();
    QCOMPARE(question, TGroupForm::deleteQuestion("Cserjék"));
    QVERIFY(question.contains("„Cserjék”"));
    for (const char *word : {"kérdése", "faja", "fotói", "tulajdonság-mátrixa"})
        QVERIFY2(question.contains(QString::fromUtf8(word)), word);

    if (answer == "no") {
        QCOMPARE(rowsOf("3"), QStringList({"1", "1", "1", "1", "1"}));
        QVERIFY(f.rowOf("Cserjék") >= 0);
    } else {
        QCOMPARE(rowsOf("3"), QStringList({"0", "0", "0", "0", "0"}));
        QCOMPARE(f.rowOf("Cserjék"), -1);
        QCOMPARE(f.form->DBGrid1->model()->rowCount(), 3);
    }
    QCOMPARE(rowsOf("1"), fakBefore);
    QVERIFY(f.browseMode());
    QVERIFY(!f.dm.trans_readwrite.isActive());
}

void TestGroups::lockedRowFailsAndTheNextSaveRecovers()
{
    GroupsFixture f;
    f.click("Fák");
    f.form->e_verzio->setText("1.3");
    // Another connection holds the row: with "nowait" the save fails at once.
    f.db.rw.start();
    fb::Query other(f.db.db, f.db.rw);
    other.setSql("update tax_group set taxgrp_creator='valaki más' where taxgrp_name='Fák'");
    other.execute();
    {
        ScriptedDialogs dialogs;
        dialogs.expectError(); // shown by the general error handler
        f.press(f.form->btnOk);
        QVERIFY(!dialogs.lastText().isEmpty());
    }
    QVERIFY(f.editMode());
    QCOMPARE(f.form->e_verzio->text(), QString("1.3"));
    QVERIFY(f.dm.trans_readwrite.isActive()); // left for the next write to roll back
    f.db.rw.rollback();
    QCOMPARE(f.field("taxgrp_verzio", "Fák"), QString("1.2"));
    f.press(f.form->btnOk);
    QCOMPARE(f.field("taxgrp_verzio", "Fák"), QString("1.3"));
    QVERIFY(!f.dm.trans_readwrite.isActive());
    QVERIFY(f.browseMode());
}

void TestGroups::textOutsideLatin2IsRefused()
{
    GroupsFixture f;
    f.press(f.form->btnInsert);
    f.form->E_Grpname->setText("Fák ☘");
    const QStringList before = f.names();
    {
        ScriptedDialogs dialogs;
        dialogs.expectError();
        f.press(f.form->btnOk);
        QVERIFY(dialogs.lastText().contains("☘"));
    }
    QCOMPARE(f.names(), before);
    QVERIFY(f.editMode());
}

int main(int argc, char **argv)
{
    KeyApplication app(argc, argv);
    TestGroups test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_groups.moc"
