// The database chooser: which texts enable OK, which files join the list, the "..." file
// dialog and the "History" list it starts with.

#include "keyfiles.h"
#include "scripted_dialogs.h"
#include "ukereso_preferences.h"
#include "utree_dm.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using finder::TPreferencesForm;

class Preferences : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_open, m_good, m_foreign, m_text;
    fb::Database m_main; // stands for the main window's connection

    QString path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void initTestCase()
    {
        fb::usePrivateRootBesideProgram();
        m_open = path(QStringLiteral("open.fdb"));
        m_good = path(QStringLiteral("good.fdb"));
        m_foreign = path(QStringLiteral("foreign.fdb"));
        m_text = path(QStringLiteral("text.fdb"));
        keyfiles::makeGroupsFile(m_open, {QStringLiteral("Fák")});
        keyfiles::makeGroupsFile(m_good, {});
        keyfiles::makeForeignDatabase(m_foreign);
        keyfiles::writeText(m_text, "not a database at all");
        QDir().mkpath(path(QStringLiteral("folder.fdb")));
        m_main.params = connectionParams();
        m_main.databaseName = m_open;
        m_main.open();
    }

    void cleanupTestCase() { m_main.close(); }

    // The user types a text: OK follows the test, a good file joins the list at the end.
    void typedText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<bool>("joins");

        QTest::newRow("the open file: no test, not added") << "open.fdb" << true << false;
        QTest::newRow("a good key database joins the list") << "good.fdb" << true << true;
        QTest::newRow("already listed: not added twice") << "listed" << true << false;
        QTest::newRow("missing file") << "missing.fdb" << false << false;
        QTest::newRow("a folder") << "folder.fdb" << false << false;
        QTest::newRow("a Firebird file without TAX_GROUP") << "foreign.fdb" << false << false;
        QTest::newRow("a file that is no database") << "text.fdb" << false << false;
        QTest::newRow("empty text") << "" << false << false;
    }

    void typedText()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(bool, joins);
        ScriptedDialogs dialogs; // no message for any of them
        TPreferencesForm form(m_main, m_dir.path() + u'/');
        form.addToList(QStringLiteral("/keys/earlier.fdb"));
        if (text == u"listed") {
            form.addToList(m_good);
            text = QStringLiteral("good.fdb");
        }
        const QString typed = text.isEmpty() ? QString() : path(text);
        const QStringList before = form.history();
        form.show();
        // Start from the opposite state, so that the test has to set it.
        form.okbtn->setEnabled(!ok);
        form.dbcombo->lineEdit()->clear();
        if (typed.isEmpty()) {
            QTest::keyClick(form.dbcombo->lineEdit(), Qt::Key_X);
            QTest::keyClick(form.dbcombo->lineEdit(), Qt::Key_Backspace);
        } else {
            QTest::keyClicks(form.dbcombo->lineEdit(), typed);
        }
        QCOMPARE(form.dbcombo->currentText(), typed);
        QCOMPARE(form.okbtn->isEnabled(), ok);
        QCOMPARE(form.history(), joins ? before + QStringList{typed} : before);
        // The test connection is closed again.
        QVERIFY(!form.IBDatabase1.isOpen());
    }

    void pickingFromTheListTests()
    {
        ScriptedDialogs dialogs;
        TPreferencesForm form(m_main, m_dir.path() + u'/');
        form.addToList(m_foreign);
        form.addToList(m_good);
        form.show();
        form.dbcombo->lineEdit()->clear();
        QTest::keyClicks(form.dbcombo->lineEdit(), m_good);
        QVERIFY(form.okbtn->isEnabled());
        // "activated" is the user's pick in the list.
        form.dbcombo->setCurrentIndex(0);
        emit form.dbcombo->activated(0);
        QCOMPARE(form.dbcombo->currentText(), m_foreign);
        QVERIFY(!form.okbtn->isEnabled());
        form.dbcombo->setCurrentIndex(1);
        emit form.dbcombo->activated(1);
        QVERIFY(form.okbtn->isEnabled());
        QCOMPARE(form.history(), (QStringList{m_foreign, m_good}));
    }

    void fileDialogPutsPathAndTests()
    {
        ScriptedDialogs dialogs;
        TPreferencesForm form(m_main, m_dir.path() + u'/');
        form.show();
        form.okbtn->setEnabled(false);
        dialogs.answerFile(m_good);
        QTest::mouseClick(form.RxSpeedButton1, Qt::LeftButton);
        QCOMPARE(dialogs.texts(), QStringList{QStringLiteral("Határozó adatbázis megnyitása")});
        QCOMPARE(form.dbcombo->currentText(), m_good);
        QVERIFY(form.okbtn->isEnabled());
        QCOMPARE(form.history(), QStringList{m_good});

        dialogs.answerFile(m_foreign);
        QTest::mouseClick(form.RxSpeedButton1, Qt::LeftButton);
        QCOMPARE(form.dbcombo->currentText(), m_foreign);
        QVERIFY(!form.okbtn->isEnabled());

        // Cancelled: nothing changes.
        dialogs.answerFile(QString());
        QTest::mouseClick(form.RxSpeedButton1, Qt::LeftButton);
        QCOMPARE(form.dbcombo->currentText(), m_foreign);
        QVERIFY(!form.okbtn->isEnabled());
        QCOMPARE(form.history(), QStringList{m_good});
    }

    void historyRead_data()
    {
        QTest::addColumn<QString>("ini");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("no section") << "[Main]\nR=1\n" << QStringList();
        QTest::newRow("in key order") << "[History]\n2=/b.fdb\n1=/a.fdb\n3=/c.fdb\n"
                                      << QStringList{"/a.fdb", "/b.fdb", "/c.fdb"};
        QTest::newRow("stops at the first gap") << "[History]\n1=/a.fdb\n2=/b.fdb\n4=/d.fdb\n"
                                                << QStringList{"/a.fdb", "/b.fdb"};
        QTest::newRow("stops at a \"-\" value") << "[History]\n1=/a.fdb\n2=-\n3=/c.fdb\n" << QStringList{"/a.fdb"};
        QTest::newRow("key 1 missing") << "[History]\n2=/b.fdb\n" << QStringList();
    }

    void historyRead()
    {
        QFETCH(QString, ini);
        QFETCH(QStringList, expected);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("SK_keres.ini"));
        keyfiles::writeText(file, ini.toUtf8());
        TPreferencesForm form(m_main, dir.path() + u'/');
        form.FormCreate(file);
        QCOMPARE(form.history(), expected);
    }

    void layoutAndTexts()
    {
        TPreferencesForm form(m_main, m_dir.path() + u'/');
        QCOMPARE(form.windowTitle(), QStringLiteral("Beállítások"));
        QCOMPARE(form.okbtn->text(), QStringLiteral("OK"));
        QCOMPARE(form.cancelbtn->text(), QStringLiteral("Mégsem"));
        QCOMPARE(form.RxSpeedButton1->text(), QStringLiteral("..."));
        QVERIFY(form.dbcombo->isEditable());
        form.show();
        QTest::mouseClick(form.cancelbtn, Qt::LeftButton);
        QCOMPARE(form.result(), int(QDialog::Rejected));
        form.show();
        form.okbtn->setEnabled(true);
        QTest::mouseClick(form.okbtn, Qt::LeftButton);
        QCOMPARE(form.result(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(Preferences)
#include "tst_preferences.moc"
