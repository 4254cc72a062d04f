// The help machinery both programs use, on the finder's real help file: the page of a
// context, the contents, links that lead somewhere, F1 on a focused control, and a missing
// help file.

#include "helpviewer.h"
#include "paths.h"
#include "scripted_dialogs.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QHelpContentWidget>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QVBoxLayout>

class Help : public QObject {
    Q_OBJECT
    QString finderHelp() const { return paths::programFolder() + QStringLiteral("zepra_keres.qch"); }
    QTemporaryDir m_dir;
    QString m_multi; // a help file with several contexts and an index page, as the editor's

    void writeFile(const QString &name, const QString &text)
    {
        QFile f(m_dir.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text.toUtf8());
    }

private slots:
    void initTestCase()
    {
        const QString page = QStringLiteral("<html><head><title>%1</title></head><body><p>%1</p></body></html>");
        writeFile(QStringLiteral("index.html"), page.arg(QStringLiteral("Tartalom")));
        writeFile(QStringLiteral("context-10.html"), page.arg(QStringLiteral("Csoportok")));
        writeFile(QStringLiteral("context-20.html"), page.arg(QStringLiteral("Főablak")));
        writeFile(QStringLiteral("multi.qhp"), QStringLiteral(R"(<?xml version="1.0" encoding="UTF-8"?>
<QtHelpProject version="1.0"><namespace>test.multi</namespace><virtualFolder>doc</virtualFolder>
<filterSection><toc><section title="Tartalom" ref="index.html">
<section title="Csoportok" ref="context-10.html"/><section title="Főablak" ref="context-20.html"/></section></toc>
<files><file>context-20.html</file><file>context-10.html</file><file>index.html</file></files></filterSection>
</QtHelpProject>)"));
        m_multi = m_dir.filePath(QStringLiteral("multi.qch"));
        QProcess gen;
        gen.setWorkingDirectory(m_dir.path());
        gen.start(QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath) + QStringLiteral("/qhelpgenerator"),
                  {m_dir.filePath(QStringLiteral("multi.qhp")), QStringLiteral("-o"), m_multi});
        QVERIFY(gen.waitForFinished(60000));
        QCOMPARE(gen.exitCode(), 0);
        QVERIFY(QFile::exists(m_multi));
    }

    void contextPage() { QCOMPARE(help::contextPage(70), QStringLiteral("context-70.html")); }

    void contextOfWidget_data()
    {
        QTest::addColumn<QVariant>("window");
        QTest::addColumn<QVariant>("panel");
        QTest::addColumn<QVariant>("control");
        QTest::addColumn<int>("expected");
        const QVariant none;
        QTest::newRow("the control's own") << QVariant(20) << QVariant(30) << QVariant(40) << 40;
        QTest::newRow("the nearest parent's") << QVariant(20) << QVariant(30) << none << 30;
        QTest::newRow("the window's") << QVariant(70) << none << none << 70;
        QTest::newRow("none anywhere") << none << none << none << 0;
        QTest::newRow("0 counts as none") << QVariant(80) << none << QVariant(0) << 80;
        QTest::newRow("a text that is no number counts as none") << QVariant(10) << QVariant("x") << none << 10;
    }

    void contextOfWidget()
    {
        QFETCH(QVariant, window);
        QFETCH(QVariant, panel);
        QFETCH(QVariant, control);
        QFETCH(int, expected);
        QWidget w;
        auto *p = new QWidget(&w);
        auto *c = new QLineEdit(p);
        w.setProperty(help::kContextProperty, window);
        p->setProperty(help::kContextProperty, panel);
        c->setProperty(help::kContextProperty, control);
        QCOMPARE(help::helpContextOf(c), expected);
    }

    // Every page is in the file, has a title, and every link of it leads to a page or
    // style sheet of the file.
    void finderHelpFileIsComplete()
    {
        help::HelpViewer viewer(finderHelp());
        const QList<QUrl> pages = viewer.pages();
        QStringList names;
        for (const QUrl &u : pages)
            names << u.fileName();
        names.sort();
        QCOMPARE(names, (QStringList{"adatbazis.html", "allapotok.html", "alternativak.html", "context-70.html",
                                     "kezdes.html", "talalatok.html", "valaszok.html"}));
        QVERIFY(viewer.pageUrl(70).isValid());
        QVERIFY(!viewer.pageUrl(71).isValid());
        const QRegularExpression links(QStringLiteral("(?:href|src)=\"([^\"#]+)"));
        for (const QUrl &page : pages) {
            const QString html = QString::fromUtf8(viewer.fileData(page));
            QVERIFY2(html.contains(QStringLiteral("<html lang=\"hu\">")), qPrintable(page.toString()));
            QVERIFY2(html.contains(QRegularExpression(QStringLiteral("<title>[^<]+</title>"))), qPrintable(page.toString()));
            for (auto it = links.globalMatch(html); it.hasNext();) {
                const QString target = it.next().captured(1);
                if (target.startsWith(QStringLiteral("http")))
                    continue;
                QVERIFY2(!viewer.fileData(page.resolved(QUrl(target))).isEmpty(),
                         qPrintable(page.fileName() + QStringLiteral(" -> ") + target));
            }
        }
    }

    void showsThePageOfAContext_data()
    {
        QTest::addColumn<int>("context");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("title");
        QTest::newRow("the finder's context") << 70 << "context-70.html" << "A határozó használata";
        QTest::newRow("unknown context: the start page") << 42 << "context-70.html" << "A határozó használata";
        QTest::newRow("no context: the start page") << 0 << "context-70.html" << "A határozó használata";
    }

    void showsThePageOfAContext()
    {
        QFETCH(int, context);
        QFETCH(QString, page);
        QFETCH(QString, title);
        ScriptedDialogs dialogs;
        help::HelpViewer viewer(finderHelp());
        QVERIFY(viewer.showContext(context));
        QVERIFY(viewer.isVisible());
        QCOMPARE(viewer.browser()->source().fileName(), page);
        QCOMPARE(viewer.browser()->documentTitle(), title);
        QVERIFY(viewer.browser()->toPlainText().contains(QStringLiteral("Ravarorud határozó")));
        // The pages' style sheet comes from the file too: headings are green.
        QTextCursor heading(viewer.browser()->document()->firstBlock());
        heading.movePosition(QTextCursor::NextCharacter);
        QCOMPARE(heading.charFormat().foreground().color(), QColor(0x2c, 0x5f, 0x2d));
        // A link inside the page is followed within the file.
        viewer.browser()->setSource(viewer.browser()->source().resolved(QUrl(QStringLiteral("allapotok.html"))));
        QCOMPARE(viewer.browser()->documentTitle(), QStringLiteral("A két állapot"));
        QVERIFY(viewer.browser()->toPlainText().contains(QStringLiteral("Nincs meg")));
    }

    void contentsListThePages()
    {
        help::HelpViewer viewer(finderHelp());
        QVERIFY(viewer.showContext(70));
        QHelpContentWidget *tree = viewer.contents();
        QVERIFY(tree);
        QTRY_COMPARE(tree->model()->rowCount(), 1);
        const QModelIndex top = tree->model()->index(0, 0);
        QCOMPARE(top.data().toString(), QStringLiteral("A határozó használata"));
        QCOMPARE(tree->model()->rowCount(top), 6);
        QCOMPARE(tree->model()->index(2, 0, top).data().toString(), QStringLiteral("A két állapot"));
        // A click in the contents opens the page.
        emit tree->linkActivated(viewer.pageUrl(70).resolved(QUrl(QStringLiteral("alternativak.html"))));
        QCOMPARE(viewer.browser()->source().fileName(), QStringLiteral("alternativak.html"));
    }

    void missingHelpFile()
    {
        ScriptedDialogs dialogs;
        dialogs.expectError();
        help::HelpViewer viewer(QStringLiteral("/nowhere/zepra_keres.qch"));
        QVERIFY(!viewer.showContext(70));
        QCOMPARE(dialogs.texts(), QStringList{QStringLiteral("A súgó nem nyitható meg: /nowhere/zepra_keres.qch")});
        QVERIFY(!viewer.isVisible());
        QVERIFY(viewer.pages().isEmpty());
    }

    // The page of each context; an unknown one opens "index.html".
    void severalContexts_data()
    {
        QTest::addColumn<int>("context");
        QTest::addColumn<QString>("page");
        QTest::newRow("10") << 10 << "context-10.html";
        QTest::newRow("20") << 20 << "context-20.html";
        QTest::newRow("unknown") << 99 << "index.html";
    }

    void severalContexts()
    {
        QFETCH(int, context);
        QFETCH(QString, page);
        help::HelpViewer viewer(m_multi);
        QVERIFY(viewer.showContext(context));
        QCOMPARE(viewer.browser()->source().fileName(), page);
        QCOMPARE(viewer.startPage().fileName(), QStringLiteral("index.html"));
    }

    void f1OpensTheFocusedControlsContext_data()
    {
        QTest::addColumn<int>("windowContext");
        QTest::addColumn<int>("controlContext");
        QTest::addColumn<QString>("page");
        QTest::newRow("the window's context") << 10 << 0 << "context-10.html";
        QTest::newRow("the control's context wins") << 10 << 20 << "context-20.html";
        QTest::newRow("no context: the start page") << 0 << 0 << "index.html";
    }

    void f1OpensTheFocusedControlsContext()
    {
        QFETCH(int, windowContext);
        QFETCH(int, controlContext);
        QFETCH(QString, page);
        ScriptedDialogs dialogs;
        help::HelpViewer viewer(m_multi);
        help::installHelpKey(&viewer);
        QWidget window;
        auto *edit = new QLineEdit(&window);
        (new QVBoxLayout(&window))->addWidget(edit);
        if (windowContext)
            help::setHelpContext(&window, windowContext);
        if (controlContext)
            help::setHelpContext(edit, controlContext);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        edit->setFocus();
        QCOMPARE(help::HelpKey::currentContext(), controlContext ? controlContext : windowContext);
        QTest::keyClick(edit, Qt::Key_F1);
        QVERIFY(viewer.isVisible());
        QCOMPARE(viewer.browser()->source().fileName(), page);
        // F1 did not reach the control.
        QCOMPARE(edit->text(), QString());
        // Escape closes the help window.
        QVERIFY(QTest::qWaitForWindowActive(&viewer));
        QTest::keyClick(viewer.browser(), Qt::Key_Escape);
        QVERIFY(!viewer.isVisible());
    }

    // From a modal dialog the help window must take input, so it is modal itself.
    void helpFromAModalDialog()
    {
        help::HelpViewer viewer(finderHelp());
        QDialog dialog;
        Qt::WindowModality seen = Qt::NonModal;
        bool visible = false;
        QTimer::singleShot(0, &dialog, [&] {
            viewer.showContext(70);
            seen = viewer.windowModality();
            visible = viewer.isVisible();
            viewer.close();
            dialog.reject();
        });
        dialog.exec();
        QVERIFY(visible);
        QCOMPARE(seen, Qt::ApplicationModal);
        // Without a modal dialog it is an ordinary window again.
        viewer.showContext(70);
        QCOMPARE(viewer.windowModality(), Qt::NonModal);
    }
};

QTEST_MAIN(Help)
#include "tst_help.moc"
