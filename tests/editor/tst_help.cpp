// The editor's help: one Hungarian page per help context in zuderirav_keret.qch beside the
// program, opened by the help button at the start page and by F1 at the context of the
// focused control.
#include "application.h"
#include "editorfixture.h"
#include "helpviewer.h"
#include "utree_groups.h"
#include "utree_tools.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableView>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolButton>
#include <QTreeWidget>

using editor::TMainForm;

namespace {
QString programFolder()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/");
}
} // namespace

class TestHelp : public QObject {
    Q_OBJECT
private slots:
    void contextPages_data();
    void contextPages();
    void everyLinkLeadsToAPage();
    void helpButtonOpensTheStartPage();
    void f1OpensTheFocusedControlsContext_data();
    void f1OpensTheFocusedControlsContext();
};

void TestHelp::contextPages_data()
{
    QTest::addColumn<int>("context");
    QTest::addColumn<QString>("heading");
    QTest::newRow("10 group dialog") << 10 << "Csoportok kezelése";
    QTest::newRow("20 main window") << 20 << "A főablak";
    QTest::newRow("30 question page") << 30 << "Kérdések szerkesztése";
    QTest::newRow("40 question dialog") << 40 << "A kérdés szerkesztőablaka";
    QTest::newRow("50 taxon page") << 50 << "Fajadatok kezelése";
    QTest::newRow("60 matrix page") << 60 << "Határozóadatok felvitele";
    QTest::newRow("70 key test page") << 70 << "Határozó ellenőrzése";
    QTest::newRow("80 tools dialog") << 80 << "Eszközök és beállítások";
}

void TestHelp::contextPages()
{
    QFETCH(int, context);
    QFETCH(QString, heading);
    help::HelpViewer viewer(programFolder() + "zuderirav_keret.qch");
    const QUrl url = viewer.pageUrl(context);
    QVERIFY2(url.isValid(), "no page for the context");
    QCOMPARE(url.fileName(), QString("context-%1.html").arg(context));
    const QString html = QString::fromUtf8(viewer.fileData(url));
    QVERIFY(html.contains("<html lang=\"hu\">"));
    QVERIFY2(html.contains("<h1>" + heading), qPrintable(heading));
    // A real page for authors, not a placeholder.
    QVERIFY(html.size() > 800);
}

void TestHelp::everyLinkLeadsToAPage()
{
    help::HelpViewer viewer(programFolder() + "zuderirav_keret.qch");
    const QList<QUrl> pages = viewer.pages();
    QVERIFY(pages.size() >= 9);
    QCOMPARE(viewer.startPage().fileName(), QString("index.html"));
    QSet<QString> names;
    for (const QUrl &page : pages)
        names.insert(page.fileName());
    const QRegularExpression href("href=\"([^\"#:]+)\"");
    for (const QUrl &page : pages) {
        const QString html = QString::fromUtf8(viewer.fileData(page));
        for (auto it = href.globalMatch(html); it.hasNext();) {
            const QString target = it.next().captured(1);
            if (target.endsWith(".css"))
                QVERIFY(!viewer.fileData(page.resolved(QUrl(target))).isEmpty());
            else
                QVERIFY2(names.contains(target), qPrintable(page.fileName() + " -> " + target));
        }
    }
}

void TestHelp::helpButtonOpensTheStartPage()
{
    QTemporaryDir user;
    TMainForm w(programFolder(), user.path());
    QCOMPARE(w.helpFile(), programFolder() + "zuderirav_keret.qch");
    w.show();
    QTest::mouseClick(w.btn_help, Qt::LeftButton);
    QVERIFY(w.HelpViewer->isVisible());
    QCOMPARE(w.HelpViewer->browser()->source().fileName(), QString("index.html"));
    // The pages' style sheet is read from the file: the heading is drawn in its green.
    const QTextBlock heading = w.HelpViewer->browser()->document()->begin();
    QVERIFY(heading.text().startsWith("ZEPRA"));
    QCOMPARE(heading.begin().fragment().charFormat().foreground().color(), QColor("#2c5f2d"));
    // Closing the main window takes the help window with it.
    QVERIFY(w.close());
    QVERIFY(!w.HelpViewer->isVisible());
}

void TestHelp::f1OpensTheFocusedControlsContext_data()
{
    QTest::addColumn<QString>("where");
    QTest::addColumn<int>("context");
    QTest::newRow("group selector") << "selector" << 20;
    QTest::newRow("question page") << "page0" << 30;
    QTest::newRow("taxon page") << "page1" << 50;
    QTest::newRow("matrix page") << "page2" << 60;
    QTest::newRow("key test page") << "page3" << 70;
    QTest::newRow("group dialog") << "groups" << 10;
    QTest::newRow("tools dialog") << "tools" << 80;
}

void TestHelp::f1OpensTheFocusedControlsContext()
{
    QFETCH(QString, where);
    QFETCH(int, context);
    QTemporaryDir user;
    TMainForm w(programFolder(), user.path());
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QWidget *target = nullptr;
    if (where == "selector") {
        target = w.SelectedGroupCombo;
    } else if (where.startsWith("page")) {
        const int index = where.mid(4).toInt();
        w.PageControl1->setEnabled(true);
        w.ShowPage(index);
        // A control on the page: the key test page has the identification screen's tree;
        // the others get theirs with their own contents, so the page itself stands in.
        QWidget *page = w.PageControl1->widget(index);
        target = page->findChild<QTreeWidget *>();
        if (!target) {
            page->setFocusPolicy(Qt::StrongFocus);
            target = page;
        }
    } else if (where == "groups") {
        w.GroupForm->show();
        w.GroupForm->activateWindow();
        QTRY_VERIFY(w.GroupForm->isActiveWindow());
        target = w.GroupForm->DBGrid1;
    } else {
        w.PreferencesForm->show();
        w.PreferencesForm->activateWindow();
        QTRY_VERIFY(w.PreferencesForm->isActiveWindow());
        target = w.PreferencesForm->BitBtn4;
    }
    target->setFocus();
    QCOMPARE(QApplication::focusWidget(), target);
    QTest::keyClick(target, Qt::Key_F1);
    QVERIFY(w.HelpViewer->isVisible());
    QCOMPARE(w.HelpViewer->browser()->source().fileName(), QString("context-%1.html").arg(context));
    w.HelpViewer->close();
    w.GroupForm->hide();
    w.PreferencesForm->hide();
}

int main(int argc, char **argv)
{
    KeyApplication app(argc, argv);
    TestHelp test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_help.moc"
