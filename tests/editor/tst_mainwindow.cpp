// Start-up of the editor and the main window's own behaviour: the database named by the
// configuration files, the windows it owns, the pages, sizes, keys, the nudge, placement.
#include "application.h"
#include "editorfixture.h"
#include "graphichintwindow.h"
#include "groupcombo.h"
#include "scripted_dialogs.h"
#include "utree_about.h"
#include "utree_groups.h"
#include "utree_progressbar.h"
#include "utree_splash.h"
#include "utree_tools.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QProgressBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

using editor::TMainForm;

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void opensTheDatabaseNamedBesideTheProgram();
    void unopenableDatabaseLeavesAnEmptySelector();
    void ownsItsWindowsInStartupOrder();
    void pages_data();
    void pages();
    void minimumSize_data();
    void minimumSize();
    void topPanelFollowsTheWidth_data();
    void topPanelFollowsTheWidth();
    void statusBarPanels();
    void shiftPressed_data();
    void shiftPressed();
    void nudgeMovesThePointerAndShowsTheHint();
    void nudgeStoppedBy_data();
    void nudgeStoppedBy();
    void placementIsKeptAcrossRuns();
    void splashWindow();
    void splashKeepsTheEventLoopRunning();
    void progressWindow();
    void aboutBoxShowsTheChosenGroup();
};

void TestMainWindow::opensTheDatabaseNamedBesideTheProgram()
{
    EditorFixture f;
    TMainForm &w = f.open();
    QCOMPARE(w.windowTitle(), QString("ZEPRA Sokszempontú határozó szerkesztő"));
    QVERIFY(w.dm().DB_Zuderirav.isOpen());
    QVERIFY(w.dm().Trans_readonly.isActive());
    QVERIFY(!w.dm().trans_readwrite.isActive());
    // The selector lists the groups by name; none is chosen, so the pages are closed.
    QStringList names;
    for (int i = 0; i < w.SelectedGroupCombo->count(); ++i)
        names << w.SelectedGroupCombo->itemText(i);
    QCOMPARE(names, QStringList({"Cserjék", "Fák", "Üres"}));
    QCOMPARE(w.SelectedGroupCombo->currentIndex(), -1);
    QCOMPARE(w.SelectedGroupId(), QString());
    QVERIFY(!w.PageControl1->isEnabled());
    QCOMPARE(w.PageControl1->currentIndex(), 0);
    QCOMPARE(w.SelectedGroupCombo->maxVisibleItems(), 8);
    QCOMPARE(w.SelectedGroupCombo->width(), 231);
    // The first start remembers the path in the per-user file.
    const QString userIni = f.userDir.path() + "/ZEPRA/SK_keret.ini";
    QCOMPARE(w.configPath(), userIni);
    QSettings ini(userIni, QSettings::IniFormat);
    QCOMPARE(ini.value("Main/R").toString(), QString("1"));
    QCOMPARE(ini.value("Main/DB").toString(), f.db.path());
    QVERIFY(f.ops.calls.isEmpty());
}

void TestMainWindow::unopenableDatabaseLeavesAnEmptySelector()
{
    EditorFixture f;
    QSettings ini(f.programFolder() + "SK_keret.ini", QSettings::IniFormat);
    ini.setValue("Main/DB", f.programFolder() + "nincs.fdb");
    ini.sync();
    {
        ScriptedDialogs dialogs;
        dialogs.expectError();
        f.open();
        QCOMPARE(dialogs.asked().size(), size_t(1));
        QVERIFY(!dialogs.lastText().isEmpty());
    }
    QVERIFY(!f.w->dm().DB_Zuderirav.isOpen());
    QCOMPARE(f.w->SelectedGroupCombo->count(), 0);
    QVERIFY(!f.w->PageControl1->isEnabled());
    // Nothing was learned, so nothing was remembered.
    QSettings user(f.w->configPath(), QSettings::IniFormat);
    QVERIFY(!user.contains("Main/DB"));
}

void TestMainWindow::ownsItsWindowsInStartupOrder()
{
    EditorFixture f(false);
    TMainForm w(f.programFolder(), f.userDir.path());
    // Main window, group dialog, data module, ..., progress window, tools dialog, about box.
    const QObjectList children = w.children();
    const auto position = [&](QObject *o) { return children.indexOf(o); };
    TDM *dm = &w.dm();
    QVERIFY(position(w.GroupForm) >= 0);
    QVERIFY(position(w.GroupForm) < position(dm));
    QVERIFY(position(dm) < position(w.ProgressForm));
    QVERIFY(position(w.ProgressForm) < position(w.PreferencesForm));
    QVERIFY(position(w.PreferencesForm) < position(w.AboutBox));
    for (QWidget *dialog : std::initializer_list<QWidget *>{w.GroupForm, w.ProgressForm, w.PreferencesForm, w.AboutBox}) {
        QCOMPARE(dialog->parentWidget(), &w);
        QVERIFY(dialog->isWindow());
        QVERIFY(!dialog->isVisible());
    }
    QCOMPARE(w.GroupForm->windowTitle(), QString("Csoportok adatainak kezelése"));
    QCOMPARE(w.PreferencesForm->windowTitle(), QString("Eszközök és beállítások"));
    QCOMPARE(w.AboutBox->windowTitle(), QString("A határozóról"));
    QCOMPARE(w.helpFile(), f.programFolder() + "zuderirav_keret.qch");
    // Building the window opens nothing.
    QVERIFY(!w.dm().DB_Zuderirav.isOpen());
}

void TestMainWindow::pages_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("helpContext");
    QTest::newRow("questions") << 0 << "TabSheet1" << "Kérdések szerkesztése" << 30;
    QTest::newRow("taxa") << 1 << "TabSheet4" << "Fajadatok kezelése" << 50;
    QTest::newRow("matrix") << 2 << "TabSheet2" << "Határozóadatok felvitele" << 60;
    QTest::newRow("key test") << 3 << "TabSheet3" << "Határozó ellenőrzése" << 70;
}

void TestMainWindow::pages()
{
    QFETCH(int, index);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(int, helpContext);
    EditorFixture f(false);
    TMainForm w(f.programFolder(), f.userDir.path());
    QCOMPARE(w.PageControl1->count(), 4);
    QWidget *page = w.PageControl1->widget(index);
    QCOMPARE(page->objectName(), name);
    QCOMPARE(w.findChild<QWidget *>(name), page);
    QCOMPARE(w.PageControl1->tabText(index), caption);
    QCOMPARE(page->property("helpContext").toInt(), helpContext);
    QCOMPARE(w.property("helpContext").toInt(), 20);
}

void TestMainWindow::minimumSize_data()
{
    QTest::addColumn<QSize>("asked");
    QTest::addColumn<QSize>("got");
    QTest::addColumn<bool>("canResize");
    QTest::newRow("599 x 500") << QSize(599, 500) << QSize(600, 500) << false;
    QTest::newRow("700 x 399") << QSize(700, 399) << QSize(700, 400) << false;
    QTest::newRow("600 x 400") << QSize(600, 400) << QSize(600, 400) << true;
    QTest::newRow("1000 x 700") << QSize(1000, 700) << QSize(1000, 700) << true;
}

void TestMainWindow::minimumSize()
{
    QFETCH(QSize, asked);
    QFETCH(QSize, got);
    QFETCH(bool, canResize);
    EditorFixture f(false);
    TMainForm w(f.programFolder(), f.userDir.path());
    w.show();
    w.resize(asked);
    QCOMPARE(w.size(), got);
    QCOMPARE(TMainForm::FormCanResize(asked.width(), asked.height()), canResize);
}

void TestMainWindow::topPanelFollowsTheWidth_data()
{
    QTest::addColumn<int>("width");
    QTest::newRow("design") << 838;
    QTest::newRow("narrowest") << 600;
    QTest::newRow("wide") << 1200;
}

void TestMainWindow::topPanelFollowsTheWidth()
{
    QFETCH(int, width);
    EditorFixture f(false);
    TMainForm w(f.programFolder(), f.userDir.path());
    w.show();
    w.resize(width, 500);
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.Panel1->width(), width);
    QCOMPARE(w.Panel1->height(), 49);
    QCOMPARE(w.Btn_exit->x(), w.Panel1->width() - 50);
    QCOMPARE(w.btn_help->x(), w.Btn_exit->x() - 80);
    // The left-hand controls keep their places and never meet the right-hand ones.
    QVERIFY(w.btnTools->geometry().right() < w.btn_help->x());
    QCOMPARE(w.btn_Groups->toolTip(), QString("Csoportok kezelése"));
    QCOMPARE(w.btnTools->toolTip(), QString("Beállítások, eszközök"));
    QCOMPARE(w.btn_help->toolTip(), QString("Súgó indítása"));
    QCOMPARE(w.Btn_exit->toolTip(), QString("Kilépés a programból"));
    QCOMPARE(w.SelectedGroupCombo->toolTip(), QString("Válasszon csoportot vagy hozzon létre egyet a kezdéshez!"));
}

void TestMainWindow::statusBarPanels()
{
    EditorFixture f(false);
    TMainForm w(f.programFolder(), f.userDir.path());
    QCOMPARE(w.statusBar(), w.StatusBar1);
    QCOMPARE(w.StatusPanel0->width(), 250);
    QCOMPARE(w.StatusPanel1->width(), 50);
    QCOMPARE(w.StatusPanel0->frameShadow(), QFrame::Raised);
    QCOMPARE(w.StatusPanel0->parentWidget(), w.StatusBar1);
}

void TestMainWindow::shiftPressed_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("selector") << "SelectedGroupCombo";
    QTest::newRow("page control") << "PageControl1";
    QTest::newRow("groups button") << "btn_Groups";
}

void TestMainWindow::shiftPressed()
{
    QFETCH(QString, target);
    EditorFixture f(false);
    TMainForm w(f.programFolder(), f.userDir.path());
    w.show();
    QWidget *control = w.findChild<QWidget *>(target);
    QVERIFY(control);
    // A Shift key going down, as the keyboard reports it (the state before the press).
    QTest::keyPress(control, Qt::Key_Shift, Qt::NoModifier);
    QVERIFY(w.ShiftPressed);
    QTest::keyRelease(control, Qt::Key_Shift, Qt::ShiftModifier);
    QVERIFY(!w.ShiftPressed);
    QTest::keyPress(control, Qt::Key_A, Qt::ShiftModifier);
    QVERIFY(w.ShiftPressed);
    QTest::keyPress(control, Qt::Key_B, Qt::NoModifier);
    QVERIFY(!w.ShiftPressed);
    // Keys of another window are not the main window's.
    QTest::keyPress(w.GroupForm, Qt::Key_A, Qt::ShiftModifier);
    QVERIFY(!w.ShiftPressed);
}

void TestMainWindow::nudgeMovesThePointerAndShowsTheHint()
{
    EditorFixture f;
    TMainForm &w = f.open();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.Timer1->interval(), 15000);
    w.Timer1->start();
    QCursor::setPos(w.mapToGlobal(QPoint(400, 300)));
    w.Timer1Timer();
    QVERIFY(!w.Timer1->isActive());
    QCOMPARE(QCursor::pos(), w.SelectedGroupCombo->mapToGlobal(QPoint(5, 5)));
    identify::TGraphicHintWindow *hint = identify::graphicHintWindow();
    QVERIFY(hint);
    QTRY_VERIFY(hint->isVisible());
    QCOMPARE(hint->caption(), QString("Válasszon csoportot vagy hozzon létre egyet a kezdéshez!"));
    identify::cancelGraphicHint();
}

void TestMainWindow::nudgeStoppedBy_data()
{
    QTest::addColumn<QString>("action");
    QTest::newRow("drop-down") << "dropdown";
    QTest::newRow("groups button") << "groups";
    QTest::newRow("group switch") << "switch";
}

void TestMainWindow::nudgeStoppedBy()
{
    QFETCH(QString, action);
    EditorFixture f;
    TMainForm &w = f.open();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.Timer1->start();
    const QPoint away = w.mapToGlobal(QPoint(400, 300));
    QCursor::setPos(away);
    if (action == "dropdown") {
        w.SelectedGroupCombo->showPopup();
        QVERIFY(!w.Timer1->isActive());
        w.SelectedGroupCombo->hidePopup();
    } else if (action == "groups") {
        QTimer::singleShot(0, w.GroupForm, [&] { w.GroupForm->reject(); });
        QTest::mouseClick(w.btn_Groups, Qt::LeftButton);
    } else {
        f.choose("Fák");
    }
    QVERIFY(!w.Timer1->isActive());
    // Stopped without moving anything.
    QCOMPARE(QCursor::pos(), away);
}

void TestMainWindow::placementIsKeptAcrossRuns()
{
    EditorFixture f(false);
    {
        TMainForm w(f.programFolder(), f.userDir.path());
        w.show();
        w.setGeometry(QRect(40, 60, 700, 480));
        QVERIFY(w.close());
    }
    QSettings ini(f.userDir.path() + "/ZEPRA/SK_keret.ini", QSettings::IniFormat);
    QVERIFY(ini.contains("TMainForm/Geometry"));
    TMainForm again(f.programFolder(), f.userDir.path());
    QCOMPARE(again.geometry().size(), QSize(700, 480));
}

void TestMainWindow::splashWindow()
{
    editor::TSplashScreen splash;
    QCOMPARE(splash.size(), QSize(561, 227));
    QVERIFY(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(splash.Label1->text(), QString("Sokszempontú határozó keretrendszer"));
    QVERIFY(splash.Label1->font().bold());
    QVERIFY(splash.Label1->font().italic());
    QVERIFY(splash.lbl_version->text().startsWith("V  "));
    QVERIFY(splash.lbl_version->text().size() > 3);
    QVERIFY(!splash.Image1->pixmap().isNull());
    const QImage shot = splash.grab().toImage();
    QCOMPARE(shot.pixelColor(3, 3), QColor(0, 0x55, 0));
    QCOMPARE(shot.pixelColor(555, 220), QColor(0, 0x55, 0));
    QCOMPARE(splash.Label1->palette().color(QPalette::WindowText), QColor(Qt::white));
    QCOMPARE(editor::TSplashScreen::kShowMs, 3000);
}

void TestMainWindow::splashKeepsTheEventLoopRunning()
{
    editor::TSplashScreen splash;
    bool timerRan = false;
    QTimer::singleShot(20, [&] { timerRan = true; });
    QElapsedTimer clock;
    clock.start();
    splash.ShowFor(300);
    QVERIFY(clock.elapsed() >= 290);
    QVERIFY(timerRan);
    QVERIFY(splash.isVisible());
}

void TestMainWindow::progressWindow()
{
    EditorFixture f(false);
    TMainForm w(f.programFolder(), f.userDir.path());
    editor::TProgressForm *p = w.ProgressForm;
    QCOMPARE(p->size(), QSize(516, 40));
    QVERIFY(p->windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(p->ProgressBar->size(), QSize(481, 17));
    QCOMPARE(p->Panel1->frameShadow(), QFrame::Sunken);
    p->ProgressBar->setMaximum(7);
    p->ProgressBar->setValue(3);
    p->show();
    const QRect screen = p->screen()->availableGeometry();
    QCOMPARE(p->geometry().center(), screen.center());
    p->hide();
}

void TestMainWindow::aboutBoxShowsTheChosenGroup()
{
    EditorFixture f;
    TMainForm &w = f.open();
    w.show();
    f.choose("Fák");
    editor::TAboutBox *about = w.AboutBox;
    QCOMPARE(about->e_name->text(), QString("Fák"));
    QCOMPARE(about->e_lat->text(), QString("Arbores"));
    QCOMPARE(about->e_creator->text(), QString("Kiss Anna"));
    QCOMPARE(about->e_verzio->text(), QString("1.2"));
    QCOMPARE(about->m_desc->toPlainText(), QString("Hazai fák levél alapján."));
    QVERIFY(about->e_name->isReadOnly() && about->m_desc->isReadOnly());
    QVERIFY(about->lbl_version->text().startsWith("Verzió: "));
    // The about button of the key test page shows it; "Bezár" closes it.
    auto *aboutButton = w.PageControl1->widget(3)->findChild<QAbstractButton *>("btnTestAbout");
    QVERIFY(aboutButton);
    bool shown = false;
    QTimer::singleShot(0, about, [&] {
        shown = about->isVisible() && about->e_name->text() == "Fák";
        QTest::mouseClick(about->btn_close, Qt::LeftButton);
    });
    QTest::mouseClick(aboutButton, Qt::LeftButton);
    QVERIFY(shown);
    QVERIFY(!about->isVisible());
    QCOMPARE(about->btn_close->text(), QString("Bezár"));
}

int main(int argc, char **argv)
{
    KeyApplication app(argc, argv);
    TestMainWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_mainwindow.moc"
