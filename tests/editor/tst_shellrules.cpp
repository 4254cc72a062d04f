// The rules of the shell that the pages rely on: the group switch, the page switch with its
// taxon-count check and guard questions, the group switch guard, the close question, the
// tools dialog's enabling and the reload after the group dialog. The flags are set by the
// test; the pages' work is counted by a recording implementation.
#include "application.h"
#include "editorfixture.h"
#include "scripted_dialogs.h"
#include "utree_about.h"
#include "utree_groups.h"
#include "utree_tools.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QToolButton>

using editor::TMainForm;

namespace {

void clickTab(TMainForm &w, int index)
{
    QTabBar *bar = w.PageControl1->tabBar();
    QVERIFY(bar->isTabVisible(index));
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
}

} // namespace

class TestShellRules : public QObject {
    Q_OBJECT
private slots:
    void groupSwitch_data();
    void groupSwitch();
    void keyboardChoiceRunsTheSwitchOnce();
    void pageSwitch_data();
    void pageSwitch();
    void testTabAppearsAfterTheMatrixPage();
    void groupSwitchGuard_data();
    void groupSwitchGuard();
    void closeQuestion_data();
    void closeQuestion();
    void exitButtonAsksTheSameQuestion();
    void toolsDialogEnabling_data();
    void toolsDialogEnabling();
    void webExportWaitsForTheMatrixPage();
    void toolsButtonsRunTheExports();
    void groupDialogExit_data();
    void groupDialogExit();
    void deletingTheChosenGroupEmptiesTheShell();
};

void TestShellRules::groupSwitch_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<bool>("matrixModified");
    QTest::addColumn<int>("fromPage");
    QTest::addColumn<int>("taxa");
    QTest::newRow("group with taxa, unsaved matrix, from the matrix page") << "Fák" << true << 2 << 2;
    QTest::newRow("group without taxa, from the taxon page") << "Üres" << false << 1 << 0;
    QTest::newRow("group with one taxon, from the key test page") << "Cserjék" << true << 3 << 1;
}

void TestShellRules::groupSwitch()
{
    QFETCH(QString, group);
    QFETCH(bool, matrixModified);
    QFETCH(int, fromPage);
    QFETCH(int, taxa);
    EditorFixture f;
    TMainForm &w = f.open();
    w.show();
    f.choose("Fák");
    f.ops.calls.clear();
    w.PageControl1->setTabVisible(3, true);
    w.ShowPage(fromPage);
    w.MatrixModified = matrixModified;
    w.ReloadMatrixNeeded = false;
    w.Timer1->start();

    if (group == "Fák") // the same group again: the group dialog's reload
        w.SelectedGroupComboChange();
    else
        f.choose(group);

    QVERIFY(!w.MatrixModified);
    QVERIFY(w.ReloadMatrixNeeded);
    QVERIFY(!w.Timer1->isActive());
    QVERIFY(w.PageControl1->isEnabled());
    QCOMPARE(w.PageControl1->currentIndex(), 0);
    QVERIFY(!w.PageControl1->isTabVisible(3));
    QCOMPARE(f.ops.calls, QStringList({"LoadQuestionTree", "FullExpandQuestionTree"}));
    const QString id = f.idOf(group);
    QCOMPARE(w.SelectedGroupId(), id);
    QCOMPARE(w.SelectedGroupName(), group);
    QCOMPARE(w.dm().T_ro_group.fieldText("TAXGRP_ID"), id);
    QCOMPARE(w.dm().t_ro_taxon.filter(), "taxname_taxgrp=" + id);
    QVERIFY(w.dm().t_ro_taxon.filtered());
    QCOMPARE(w.dm().t_ro_taxon.rowCount(), taxa);
    QCOMPARE(w.dm().t_ro_taxon.current(), taxa ? 0 : -1);
    QCOMPARE(w.AboutBox->e_name->text(), group);
}

void TestShellRules::keyboardChoiceRunsTheSwitchOnce()
{
    EditorFixture f;
    TMainForm &w = f.open();
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.SelectedGroupCombo->setFocus();
    QTest::keyClick(w.SelectedGroupCombo, Qt::Key_Down);
    QCOMPARE(w.SelectedGroupName(), QString("Cserjék"));
    QCOMPARE(f.ops.count("LoadQuestionTree"), 1);
    // Refilling the selector (a refresh of the group view) switches nothing.
    w.dm().T_ro_group.refresh();
    QCOMPARE(w.SelectedGroupName(), QString("Cserjék"));
    QCOMPARE(f.ops.count("LoadQuestionTree"), 1);
}

// One row: where the author stands, the flags, which tab is clicked, the answer to the
// question if one comes, and what follows.
void TestShellRules::pageSwitch_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<int>("fromPage");
    QTest::addColumn<bool>("matrixModified");
    QTest::addColumn<bool>("reloadNeeded");
    QTest::addColumn<int>("toPage");
    QTest::addColumn<QString>("answer");     // "", "yes", "no"
    QTest::addColumn<int>("endPage");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<bool>("reloadAfter");
    QTest::addColumn<bool>("testTabAfter");

    const QStringList none;
    const QStringList load{"LoadMatrixDataFromDB"};
    const QStringList helper{"dbe_helperChange"};
    const QStringList key{"LoadKeyForTest"};
    const QStringList loadKey{"LoadMatrixDataFromDB", "LoadKeyForTest"};

    QTest::newRow("matrix, out of date: loaded, test tab shown")
        << "Fák" << 0 << false << true << 2 << "" << 2 << load << false << true;
    QTest::newRow("matrix, up to date: not loaded")
        << "Fák" << 0 << false << false << 2 << "" << 2 << none << false << true;
    QTest::newRow("matrix of a group without taxa: taxon page instead")
        << "Üres" << 0 << false << true << 2 << "" << 1 << helper << true << false;
    QTest::newRow("key test of a group without taxa: taxon page instead")
        << "Üres" << 2 << false << true << 3 << "" << 1 << helper << true << true;
    QTest::newRow("key test of a group without taxa, unsaved matrix, No: matrix page")
        << "Üres" << 2 << true << false << 3 << "no" << 2 << helper << false << true;
    QTest::newRow("key test, out of date: loaded, then the test key")
        << "Fák" << 2 << false << true << 3 << "" << 3 << loadKey << false << true;
    QTest::newRow("key test, up to date: only the test key")
        << "Fák" << 0 << false << false << 3 << "" << 3 << key << false << true;
    QTest::newRow("matrix to key test with unsaved changes: no question")
        << "Fák" << 2 << true << false << 3 << "" << 3 << key << false << true;
    QTest::newRow("matrix to questions, unsaved, No: matrix page")
        << "Fák" << 2 << true << false << 0 << "no" << 2 << none << false << true;
    QTest::newRow("matrix to questions, unsaved, Yes: questions")
        << "Fák" << 2 << true << false << 0 << "yes" << 0 << none << false << true;
    QTest::newRow("key test to questions, unsaved, No: matrix page")
        << "Fák" << 3 << true << false << 0 << "no" << 2 << none << false << true;
    QTest::newRow("matrix to taxa, unsaved, No: matrix page")
        << "Fák" << 2 << true << false << 1 << "no" << 2 << helper << false << true;
    QTest::newRow("matrix to taxa, unsaved, Yes: taxa")
        << "Fák" << 2 << true << false << 1 << "yes" << 1 << helper << false << true;
    QTest::newRow("key test to taxa, unsaved, No: matrix page")
        << "Fák" << 3 << true << false << 1 << "no" << 2 << helper << false << true;
    QTest::newRow("questions to taxa, saved: no question")
        << "Fák" << 0 << false << true << 1 << "" << 1 << helper << true << false;
    QTest::newRow("taxa to questions, saved: no question")
        << "Fák" << 1 << false << false << 0 << "" << 0 << none << false << false;
}

void TestShellRules::pageSwitch()
{
    QFETCH(QString, group);
    QFETCH(int, fromPage);
    QFETCH(bool, matrixModified);
    QFETCH(bool, reloadNeeded);
    QFETCH(int, toPage);
    QFETCH(QString, answer);
    QFETCH(int, endPage);
    QFETCH(QStringList, calls);
    QFETCH(bool, reloadAfter);
    QFETCH(bool, testTabAfter);

    EditorFixture f;
    TMainForm &w = f.open();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    f.choose(group);
    // The state the test stands in: the test tab is visible when the author came from the
    // matrix or the key test page, or goes to the key test page.
    const bool testTabBefore = fromPage >= 2 || toPage == 3;
    w.PageControl1->setTabVisible(3, testTabBefore);
    w.ShowPage(fromPage);
    w.MatrixModified = matrixModified;
    w.ReloadMatrixNeeded = reloadNeeded;
    f.ops.calls.clear();
    {
        ScriptedDialogs dialogs;
        if (answer == "yes")
            dialogs.answerYes();
        else if (answer == "no")
            dialogs.answerNo();
        clickTab(w, toPage);
        if (answer.isEmpty())
            QVERIFY(dialogs.asked().empty());
        else
            QCOMPARE(dialogs.texts(), QStringList({"A tulajdonság-mátrix adatai módosultak! Oldalt vált rögzítés nélkül? "
                                                   "(A legutóbbi módosítások így elveszhetnek!)"}));
    }
    QCOMPARE(w.PageControl1->currentIndex(), endPage);
    QCOMPARE(f.ops.calls, calls);
    QCOMPARE(w.ReloadMatrixNeeded, reloadAfter);
    QCOMPARE(w.PageControl1->isTabVisible(3), testTabAfter);
    // No answer drops the unsaved changes: that is the matrix page's saving or loading.
    QCOMPARE(w.MatrixModified, matrixModified);
}

void TestShellRules::testTabAppearsAfterTheMatrixPage()
{
    EditorFixture f;
    TMainForm &w = f.open();
    w.show();
    f.choose("Fák");
    QVERIFY(!w.PageControl1->isTabVisible(3));
    clickTab(w, 1);
    QVERIFY(!w.PageControl1->isTabVisible(3));
    clickTab(w, 2);
    QVERIFY(w.PageControl1->isTabVisible(3));
    clickTab(w, 3);
    QCOMPARE(w.PageControl1->currentIndex(), 3);
    QCOMPARE(f.ops.calls, QStringList({"LoadQuestionTree", "FullExpandQuestionTree", "dbe_helperChange",
                                       "LoadMatrixDataFromDB", "LoadKeyForTest"}));
    // Another group hides it again, from the key test page itself.
    f.choose("Cserjék");
    QCOMPARE(w.PageControl1->currentIndex(), 0);
    QVERIFY(!w.PageControl1->isTabVisible(3));
}

void TestShellRules::groupSwitchGuard_data()
{
    QTest::addColumn<bool>("matrixModified");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("keepsFocus");
    QTest::newRow("saved: no question") << false << "" << true;
    QTest::newRow("unsaved, Yes: the selector may be used") << true << "yes" << true;
    QTest::newRow("unsaved, No: the focus goes to the pages") << true << "no" << false;
}

void TestShellRules::groupSwitchGuard()
{
    QFETCH(bool, matrixModified);
    QFETCH(QString, answer);
    QFETCH(bool, keepsFocus);
    EditorFixture f;
    TMainForm &w = f.open();
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    f.choose("Fák");
    w.PageControl1->setFocus();
    QVERIFY(!w.SelectedGroupCombo->hasFocus());
    w.MatrixModified = matrixModified;
    f.ops.calls.clear();
    {
        ScriptedDialogs dialogs;
        if (answer == "yes")
            dialogs.answerYes();
        else if (answer == "no")
            dialogs.answerNo();
        // The click that brings the focus to the selector.
        QTest::mouseClick(w.SelectedGroupCombo, Qt::LeftButton);
        if (keepsFocus) {
            // The click goes on and opens the list.
            QVERIFY(w.SelectedGroupCombo->view()->isVisible());
            w.SelectedGroupCombo->hidePopup();
            QCOMPARE(QApplication::focusWidget(), w.SelectedGroupCombo);
        } else {
            // The click neither opens the list nor leaves the focus, so no group can be picked.
            QVERIFY(!w.SelectedGroupCombo->view()->isVisible());
            QWidget *focus = QApplication::focusWidget();
            QVERIFY(focus == w.PageControl1 || w.PageControl1->isAncestorOf(focus));
        }
        // Asked once: the focus coming back after the list or the question asks nothing more.
        if (answer.isEmpty())
            QVERIFY(dialogs.asked().empty());
        else
            QCOMPARE(dialogs.texts(), QStringList({"A tulajdonság-mátrix adatai módosultak! Csoportot vált rögzítés nélkül? "
                                                   "(A legutóbbi módosítások így elveszhetnek!)"}));
    }
    // The guard itself switches nothing and keeps the flag.
    QCOMPARE(w.SelectedGroupName(), QString("Fák"));
    QCOMPARE(w.MatrixModified, matrixModified);
    QVERIFY(f.ops.calls.isEmpty());
}

void TestShellRules::closeQuestion_data()
{
    QTest::addColumn<bool>("matrixModified");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("closes");
    QTest::newRow("saved") << false << "" << true;
    QTest::newRow("unsaved, Yes") << true << "yes" << true;
    QTest::newRow("unsaved, No") << true << "no" << false;
}

void TestShellRules::closeQuestion()
{
    QFETCH(bool, matrixModified);
    QFETCH(QString, answer);
    QFETCH(bool, closes);
    EditorFixture f;
    TMainForm &w = f.open();
    w.show();
    w.MatrixModified = matrixModified;
    ScriptedDialogs dialogs;
    if (answer == "yes")
        dialogs.answerYes();
    else if (answer == "no")
        dialogs.answerNo();
    QCOMPARE(w.close(), closes);
    QCOMPARE(w.isVisible(), !closes);
    if (answer.isEmpty())
        QVERIFY(dialogs.asked().empty());
    else
        QCOMPARE(dialogs.texts(), QStringList({"Az adatok módosultak! Valóban kilép? (A legutóbbi módosítások így el fognak veszni!)"}));
}

void TestShellRules::exitButtonAsksTheSameQuestion()
{
    EditorFixture f;
    TMainForm &w = f.open();
    w.show();
    w.MatrixModified = true;
    ScriptedDialogs dialogs;
    dialogs.answerNo();
    dialogs.answerYes();
    QTest::mouseClick(w.Btn_exit, Qt::LeftButton);
    QVERIFY(w.isVisible());
    QTest::mouseClick(w.Btn_exit, Qt::LeftButton);
    QVERIFY(!w.isVisible());
    QCOMPARE(dialogs.asked().size(), size_t(2));
    QCOMPARE(dialogs.asked()[1].text, TMainForm::closeQuestion());
}

void TestShellRules::toolsDialogEnabling_data()
{
    QTest::addColumn<bool>("groupChosen");
    QTest::addColumn<bool>("reloadNeeded");
    QTest::addColumn<bool>("copyEnabled");
    QTest::addColumn<bool>("webEnabled");
    QTest::newRow("no group") << false << false << false << false;
    QTest::newRow("group, matrix out of date") << true << true << true << false;
    QTest::newRow("group, matrix loaded") << true << false << true << true;
}

void TestShellRules::toolsDialogEnabling()
{
    QFETCH(bool, groupChosen);
    QFETCH(bool, reloadNeeded);
    QFETCH(bool, copyEnabled);
    QFETCH(bool, webEnabled);
    EditorFixture f;
    TMainForm &w = f.open();
    w.show();
    if (groupChosen)
        f.choose("Fák");
    w.ReloadMatrixNeeded = reloadNeeded;
    editor::TPreferencesForm *tools = w.PreferencesForm;
    bool shown = false, copy = false, web = false;
    QTimer::singleShot(0, tools, [&] {
        shown = tools->isVisible();
        copy = tools->btnExpDB->isEnabled();
        web = tools->btn_expsql->isEnabled();
        QTest::mouseClick(tools->BitBtn4, Qt::LeftButton);
    });
    QTest::mouseClick(w.btnTools, Qt::LeftButton);
    QVERIFY(shown);
    QCOMPARE(copy, copyEnabled);
    QCOMPARE(web, webEnabled);
    QCOMPARE(tools->result(), int(QDialog::Accepted));
    QVERIFY(f.ops.calls.count("ExportToNewDB") + f.ops.calls.count("ExportToMysql") == 0);
}

void TestShellRules::webExportWaitsForTheMatrixPage()
{
    EditorFixture f;
    TMainForm &w = f.open();
    w.show();
    f.choose("Fák");
    editor::TPreferencesForm *tools = w.PreferencesForm;
    QList<bool> web;
    const auto look = [&] {
        QTimer::singleShot(0, tools, [&] {
            web << tools->btn_expsql->isEnabled();
            tools->accept();
        });
        QTest::mouseClick(w.btnTools, Qt::LeftButton);
    };
    look();
    clickTab(w, 2);
    look();
    f.choose("Cserjék");
    look();
    QCOMPARE(web, QList<bool>({false, true, false}));
}

void TestShellRules::toolsButtonsRunTheExports()
{
    EditorFixture f;
    TMainForm &w = f.open();
    w.show();
    f.choose("Fák");
    clickTab(w, 2);
    f.ops.calls.clear();
    editor::TPreferencesForm *tools = w.PreferencesForm;
    QCOMPARE(tools->btnExpDB->text(), QString("Kijelölt csoport exportálása másik adatbázisba"));
    QCOMPARE(tools->btn_expsql->text(), QString("Kijelölt csoport exportálása Zepra szerver számára"));
    QCOMPARE(tools->BitBtn4->text(), QString("Kilépés a főprogramhoz"));
    QCOMPARE(tools->btnExpDB->width(), 397);
    QCOMPARE(tools->btnExpDB->toolTip(),
             QString("A kijelölt csoport adatait egy másik, akár újonnan létrehozandó adatbázisba lehet exportálni. \n"
                     "Később ez az adatbázis pl. átadható további feltöltésre."));
    QCOMPARE(tools->property("helpContext").toInt(), 80);
    QTimer::singleShot(0, tools, [&] {
        QTest::mouseClick(tools->btnExpDB, Qt::LeftButton);
        QTest::mouseClick(tools->btn_expsql, Qt::LeftButton);
        tools->accept();
    });
    QTest::mouseClick(w.btnTools, Qt::LeftButton);
    QCOMPARE(f.ops.calls, QStringList({"ExportToNewDB", "ExportToMysql"}));
}

void TestShellRules::groupDialogExit_data()
{
    QTest::addColumn<bool>("throughExitButton");
    QTest::addColumn<bool>("reloads");
    QTest::newRow("exit button: the chosen group is reloaded") << true << true;
    QTest::newRow("window closed: nothing is reloaded") << false << false;
}

void TestShellRules::groupDialogExit()
{
    QFETCH(bool, throughExitButton);
    QFETCH(bool, reloads);
    EditorFixture f;
    TMainForm &w = f.open();
    w.show();
    f.choose("Fák");
    f.ops.calls.clear();
    w.ShowPage(1);
    w.MatrixModified = true;
    editor::TGroupForm *groups = w.GroupForm;
    // In the dialog: rename the chosen group, then move the list to another group.
    QTimer::singleShot(0, groups, [&] {
        const QModelIndex fak = groups->DBGrid1->model()->index(1, 0);
        QTest::mouseClick(groups->DBGrid1->viewport(), Qt::LeftButton, {}, groups->DBGrid1->visualRect(fak).center());
        groups->E_Grpname->setText("Fák és cserjék");
        QTest::mouseClick(groups->btnOk, Qt::LeftButton);
        const QModelIndex other = groups->DBGrid1->model()->index(0, 0);
        QTest::mouseClick(groups->DBGrid1->viewport(), Qt::LeftButton, {}, groups->DBGrid1->visualRect(other).center());
        if (throughExitButton)
            QTest::mouseClick(groups->btnexit, Qt::LeftButton);
        else
            groups->close();
    });
    QTest::mouseClick(w.btn_Groups, Qt::LeftButton);
    QVERIFY(!groups->isVisible());
    // The selector shows the new name at once either way; the group stays chosen by its id.
    QCOMPARE(w.SelectedGroupName(), QString("Fák és cserjék"));
    QCOMPARE(w.SelectedGroupId(), f.idOf("Fák és cserjék"));
    if (reloads) {
        QCOMPARE(f.ops.calls, QStringList({"LoadQuestionTree", "FullExpandQuestionTree"}));
        QCOMPARE(w.PageControl1->currentIndex(), 0);
        QVERIFY(!w.MatrixModified);
        // The about box shows the chosen group, not the row the dialog's list stood on.
        QCOMPARE(w.AboutBox->e_name->text(), QString("Fák és cserjék"));
        QCOMPARE(w.dm().T_ro_group.fieldText("TAXGRP_ID"), w.SelectedGroupId());
    } else {
        QVERIFY(f.ops.calls.isEmpty());
        QCOMPARE(w.PageControl1->currentIndex(), 1);
        QVERIFY(w.MatrixModified);
        QCOMPARE(w.AboutBox->e_name->text(), QString("Fák"));
    }
}

void TestShellRules::deletingTheChosenGroupEmptiesTheShell()
{
    EditorFixture f;
    TMainForm &w = f.open();
    w.show();
    f.choose("Cserjék");
    f.ops.calls.clear();
    editor::TGroupForm *groups = w.GroupForm;
    ScriptedDialogs dialogs;
    dialogs.answerYes();
    // Closed through the window frame: the shell still lets go of the deleted group.
    QTimer::singleShot(0, groups, [&] {
        QTest::mouseClick(groups->btnDelete, Qt::LeftButton);
        groups->close();
    });
    QTest::mouseClick(w.btn_Groups, Qt::LeftButton);
    QCOMPARE(dialogs.texts(), QStringList({editor::TGroupForm::deleteQuestion("Cserjék")}));
    QCOMPARE(w.SelectedGroupCombo->count(), 2);
    QCOMPARE(w.SelectedGroupId(), QString());
    QVERIFY(!w.PageControl1->isEnabled());
    QCOMPARE(f.ops.calls, QStringList({"LoadQuestionTree", "FullExpandQuestionTree"}));
    QCOMPARE(w.dm().t_ro_taxon.rowCount(), 0);
    QCOMPARE(w.AboutBox->e_name->text(), QString());
}

int main(int argc, char **argv)
{
    KeyApplication app(argc, argv);
    TestShellRules test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_shellrules.moc"
