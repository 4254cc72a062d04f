// How keyfinder finds, opens and remembers its database file: the resolution rule over
// temporary program and configuration folders, the real main window's start on them, the
// "History" list and the database chooser's switch.

#include "config.h"
#include "identifyscreen.h"
#include "keyfiles.h"
#include "scripted_dialogs.h"
#include "ukereso_about.h"
#include "ukereso_main.h"
#include "ukereso_preferences.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <memory>

using finder::TMainForm;
using finder::TPreferencesForm;

namespace {

// A temporary root with a program folder "prog/" and a user folder "user/".
struct Folders {
    QTemporaryDir root;
    QString prog() const { return root.filePath(QStringLiteral("prog")) + u'/'; }
    QString user() const { return root.filePath(QStringLiteral("user")); }
    QString userIni() const { return user() + QStringLiteral("/ZEPRA/SK_keres.ini"); }
    Folders()
    {
        QDir().mkpath(prog());
        QDir().mkpath(user());
    }
    // "{prog}" and "{root}" in a text become the folders.
    QString expand(QString text) const
    {
        text.replace(QStringLiteral("{prog}"), prog());
        text.replace(QStringLiteral("{root}"), root.path() + u'/');
        return text;
    }
    void writeUserIni(const QString &mainLines) const
    {
        QDir().mkpath(user() + QStringLiteral("/ZEPRA"));
        keyfiles::writeText(userIni(), expand(QStringLiteral("[Main]\nR=1\n") + mainLines).toUtf8());
    }
    void writeShippedIni(const QString &text) const
    {
        keyfiles::writeText(prog() + QStringLiteral("SK_keres.ini"), expand(text).toUtf8());
    }
};

QString iniValue(const QString &path, const QString &key)
{
    return QSettings(path, QSettings::IniFormat).value(key, QStringLiteral("<absent>")).toString();
}

// The message the database layer gives for opening a path with the fixed parameters.
QString openError(const QString &path)
{
    fb::Database probe;
    probe.params = standardConnectionParams();
    probe.databaseName = path;
    try {
        probe.open();
    } catch (const fb::Error &e) {
        return e.text();
    }
    return QStringLiteral("<opened>");
}

// Acts on the database chooser once it is shown modally by the action that follows.
void whenChooserShown(const std::function<void(TPreferencesForm *)> &act)
{
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        auto *chooser = qobject_cast<TPreferencesForm *>(QApplication::activeModalWidget());
        if (!chooser || !chooser->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        act(chooser);
        // A failed check inside must not leave the test waiting on the modal chooser.
        if (chooser->isVisible())
            chooser->reject();
    });
    timer->start();
}

} // namespace

class Startup : public QObject {
    Q_OBJECT
    QTemporaryDir m_templates;
    QString m_oneGroup, m_twoGroups;

    // Copies a template key file ("one" or "two" groups) to a path.
    void place(const QString &path, const QString &which)
    {
        QDir().mkpath(QFileInfo(path).path());
        QVERIFY(QFile::copy(which == u"two" ? m_twoGroups : m_oneGroup, path));
    }

private slots:
    void initTestCase()
    {
        fb::usePrivateRootBesideProgram();
        m_oneGroup = m_templates.filePath(QStringLiteral("one.fdb"));
        m_twoGroups = m_templates.filePath(QStringLiteral("two.fdb"));
        keyfiles::makeGroupsFile(m_oneGroup, {QStringLiteral("Hazai fák")});
        keyfiles::makeGroupsFile(m_twoGroups, {QStringLiteral("Fák"), QStringLiteral("Cserjék")});
    }

    void userConfigCreated()
    {
        Folders f;
        const QString path = config::prepareUserConfig(f.user(), QStringLiteral("SK_keres.ini"));
        QCOMPARE(path, f.userIni());
        QCOMPARE(iniValue(path, QStringLiteral("Main/R")), QStringLiteral("1"));
        QCOMPARE(QSettings(path, QSettings::IniFormat).allKeys(), QStringList{QStringLiteral("Main/R")});
        // An existing file is used as it is.
        QSettings(path, QSettings::IniFormat).setValue(QStringLiteral("Main/DB"), QStringLiteral("/x.fdb"));
        QCOMPARE(config::prepareUserConfig(f.user(), QStringLiteral("SK_keres.ini")), path);
        QCOMPARE(iniValue(path, QStringLiteral("Main/DB")), QStringLiteral("/x.fdb"));
    }

    void userConfigUnusable()
    {
        Folders f;
        QCOMPARE(config::prepareUserConfig(QString(), QStringLiteral("SK_keres.ini")), QString());
        // "ZEPRA" is a file, so the folder cannot be made.
        keyfiles::writeText(f.user() + QStringLiteral("/ZEPRA"), "x");
        QCOMPARE(config::prepareUserConfig(f.user(), QStringLiteral("SK_keres.ini")), QString());
    }

    // The rule alone: which path the connection gets and what the per-user file keeps.
    void resolution_data()
    {
        QTest::addColumn<QString>("userIni");      // "<none>": no usable per-user file; else [Main] lines
        QTest::addColumn<QString>("shippedIni");   // "" : none beside the program
        QTest::addColumn<QStringList>("files");    // made below the root
        QTest::addColumn<QString>("expectedPath"); // "" : the connection keeps its built-in path
        QTest::addColumn<QString>("expectedIniDb");

        QTest::newRow("first start, one fdb") << "" << "" << QStringList{"prog/hazai_fak.fdb"}
                                              << "{prog}hazai_fak.fdb" << "{prog}hazai_fak.fdb";
        QTest::newRow("two fdb files: the first the search yields")
            << "" << "" << QStringList{"prog/b.fdb", "prog/a.fdb"} << "{prog}a.fdb" << "{prog}a.fdb";
        QTest::newRow("later start: remembered path, folder not searched")
            << "DB={root}other/k.fdb\n" << "" << QStringList{"prog/a.fdb", "other/k.fdb"} << "{root}other/k.fdb"
            << "{root}other/k.fdb";
        QTest::newRow("remembered path that does not exist is tried as it is")
            << "DB={root}gone.fdb\n" << "[Main]\nDB={root}k.fdb\n" << QStringList{"k.fdb", "prog/a.fdb"}
            << "{root}gone.fdb" << "{root}gone.fdb";
        QTest::newRow("DB=no is like a missing key") << "DB=no\n" << "" << QStringList{"prog/a.fdb"} << "{prog}a.fdb"
                                                     << "{prog}a.fdb";
        QTest::newRow("blank DB is filled like a missing key")
            << "DB=\n" << "" << QStringList{"prog/a.fdb"} << "{prog}a.fdb" << "{prog}a.fdb";
        QTest::newRow("no fdb anywhere") << "" << "" << QStringList{"prog/notes.txt"} << "" << "<absent>";
        QTest::newRow("shipped ini names an existing file")
            << "" << "[Main]\nDB={root}k.fdb\n" << QStringList{"k.fdb", "prog/a.fdb"} << "{root}k.fdb"
            << "{root}k.fdb";
        QTest::newRow("shipped ini names a missing file: nothing named, folder not searched")
            << "" << "[Main]\nDB={root}missing.fdb\n" << QStringList{"prog/a.fdb"} << "" << "<absent>";
        QTest::newRow("shipped ini without DB") << "" << "[Main]\nR=1\n" << QStringList{"prog/a.fdb"} << ""
                                                << "<absent>";
        QTest::newRow("no per-user file: the found fdb is not used")
            << "<none>" << "" << QStringList{"prog/a.fdb"} << "" << "";
        QTest::newRow("no per-user file: the shipped ini is not consulted")
            << "<none>" << "[Main]\nDB={root}k.fdb\n" << QStringList{"k.fdb"} << "" << "";
    }

    void resolution()
    {
        QFETCH(QString, userIni);
        QFETCH(QString, shippedIni);
        QFETCH(QStringList, files);
        QFETCH(QString, expectedPath);
        QFETCH(QString, expectedIniDb);
        Folders f;
        for (const QString &file : files) {
            QDir().mkpath(QFileInfo(f.root.filePath(file)).path());
            keyfiles::writeText(f.root.filePath(file), "not looked into");
        }
        if (!shippedIni.isEmpty())
            f.writeShippedIni(shippedIni);
        QString configPath;
        if (userIni != u"<none>") {
            if (!userIni.isEmpty())
                f.writeUserIni(userIni);
            configPath = config::prepareUserConfig(f.user(), QStringLiteral("SK_keres.ini"));
            QCOMPARE(configPath, f.userIni());
        }

        const config::Resolution r = config::resolveFinder(f.prog(), configPath);
        QCOMPARE(r.pathSet, !expectedPath.isEmpty());
        QCOMPARE(r.dbPath, f.expand(expectedPath));
        if (!configPath.isEmpty()) {
            QCOMPARE(iniValue(configPath, QStringLiteral("Main/DB")), f.expand(expectedIniDb));
            QCOMPARE(iniValue(configPath, QStringLiteral("Main/R")), QStringLiteral("1"));
        }
    }

    // The real main window on the same kind of folders: what it opens, what it reports, and
    // whether it selects a group.
    void startWindow_data()
    {
        QTest::addColumn<QString>("userIni");
        QTest::addColumn<QString>("shippedIni");
        QTest::addColumn<QStringList>("files");     // "path=one" or "path=two": a key file with 1 or 2 groups
        QTest::addColumn<QString>("expectedDb");    // the connection's file name
        QTest::addColumn<bool>("opens");
        QTest::addColumn<int>("groups");            // entries of the group selector
        QTest::addColumn<QString>("selectedGroup"); // the group whose key is loaded; "" for none

        QTest::newRow("first start with one fdb and one group")
            << "" << "" << QStringList{"prog/hazai_fak.fdb=one"} << "{prog}hazai_fak.fdb" << true << 1 << "Hazai fák";
        QTest::newRow("several groups: no key at start")
            << "" << "" << QStringList{"prog/a.fdb=two"} << "{prog}a.fdb" << true << 2 << "";
        QTest::newRow("DB=no behaves like a missing key")
            << "DB=no\n" << "" << QStringList{"prog/a.fdb=one"} << "{prog}a.fdb" << true << 1 << "Hazai fák";
        QTest::newRow("remembered file wins over the program folder")
            << "DB={root}keys/k.fdb\n" << "" << QStringList{"prog/a.fdb=one", "keys/k.fdb=two"} << "{root}keys/k.fdb"
            << true << 2 << "";
        QTest::newRow("shipped ini names a missing file")
            << "" << "[Main]\nDB={root}missing.fdb\n" << QStringList{"prog/a.fdb=one"} << "" << false << 0 << "";
        QTest::newRow("remembered file is gone") << "DB={root}gone.fdb\n" << "" << QStringList{"prog/a.fdb=one"}
                                                 << "{root}gone.fdb" << false << 0 << "";
        QTest::newRow("a file that is no key database")
            << "DB={prog}notes.fdb\n" << "" << QStringList{"prog/notes.fdb=text"} << "{prog}notes.fdb" << false << 0
            << "";
    }

    void startWindow()
    {
        QFETCH(QString, userIni);
        QFETCH(QString, shippedIni);
        QFETCH(QStringList, files);
        QFETCH(QString, expectedDb);
        QFETCH(bool, opens);
        QFETCH(int, groups);
        QFETCH(QString, selectedGroup);
        Folders f;
        for (const QString &entry : files) {
            const QString path = f.root.filePath(entry.section(u'=', 0, 0));
            const QString kind = entry.section(u'=', 1);
            if (kind == u"text") {
                keyfiles::writeText(path, "plain text, no database");
            } else {
                place(path, kind);
                if (QTest::currentTestFailed())
                    return;
            }
        }
        if (!userIni.isEmpty())
            f.writeUserIni(userIni);
        if (!shippedIni.isEmpty())
            f.writeShippedIni(shippedIni);
        expectedDb = f.expand(expectedDb);

        ScriptedDialogs dialogs;
        if (!opens)
            dialogs.expectError();
        auto w = std::make_unique<TMainForm>(f.prog(), f.user());
        QCOMPARE(w->ConfigFile, f.userIni());
        QCOMPARE(w->HelpFile, f.prog() + QStringLiteral("zepra_keres.qch"));
        QCOMPARE(w->DB_Zuderirav.databaseName, expectedDb);
        QCOMPARE(w->DB_Zuderirav.isOpen(), opens);
        if (!opens) {
            // The database layer's own message, for the path it was given.
            QCOMPARE(dialogs.texts(), QStringList{openError(expectedDb)});
            QVERIFY(!dialogs.texts().first().isEmpty());
            // Still usable: the chooser is the way to another file.
            QVERIFY(w->btnTools->isEnabled());
            QVERIFY(w->PreferencesForm);
        }
        QCOMPARE(w->SelectedGroupCombo->count(), groups);
        QCOMPARE(w->SelectedGroupCombo->currentText(), selectedGroup);
        QCOMPARE(w->AboutBox->e_name->text(), selectedGroup);
        QCOMPARE(w->loadedGroup() != 0, !selectedGroup.isEmpty());
        if (!selectedGroup.isEmpty())
            QCOMPARE(w->T_ro_group.fieldText(QStringLiteral("TAXGRP_NAME")), selectedGroup);
        // Later starts open the same file from the per-user file.
        if (opens)
            QCOMPARE(iniValue(f.userIni(), QStringLiteral("Main/DB")), expectedDb);
    }

    void historyRewrittenWithoutGaps()
    {
        Folders f;
        place(f.prog() + QStringLiteral("a.fdb"), QStringLiteral("one"));
        f.writeUserIni(QStringLiteral("DB={prog}a.fdb\n[History]\n1=/keys/one.fdb\n2=/keys/two.fdb\n4=/keys/four.fdb\n"));
        ScriptedDialogs dialogs;
        TMainForm w(f.prog(), f.user());
        // Reading stops at the first missing key.
        QCOMPARE(w.PreferencesForm->history(), (QStringList{"/keys/one.fdb", "/keys/two.fdb"}));
        QCOMPARE(w.PreferencesForm->dbcombo->count(), 2);

        // Showing the chooser adds the open file; Cancel changes nothing else.
        whenChooserShown([](TPreferencesForm *c) { QTest::mouseClick(c->cancelbtn, Qt::LeftButton); });
        QTest::mouseClick(w.btnTools, Qt::LeftButton);
        QCOMPARE(w.PreferencesForm->history(), (QStringList{"/keys/one.fdb", "/keys/two.fdb", f.prog() + "a.fdb"}));
        QVERIFY(w.loadedGroup() != 0); // cancel keeps the key

        QTest::mouseClick(w.Btn_exit, Qt::LeftButton);
        QSettings ini(f.userIni(), QSettings::IniFormat);
        ini.beginGroup(QStringLiteral("History"));
        QCOMPARE(ini.childKeys(), (QStringList{"1", "2", "3"}));
        QCOMPARE(ini.value("1").toString(), QStringLiteral("/keys/one.fdb"));
        QCOMPARE(ini.value("2").toString(), QStringLiteral("/keys/two.fdb"));
        QCOMPARE(ini.value("3").toString(), f.prog() + QStringLiteral("a.fdb"));
        ini.endGroup();
        // The remembered database stays the one found at the first start.
        QCOMPARE(ini.value(QStringLiteral("Main/DB")).toString(), f.prog() + QStringLiteral("a.fdb"));
    }

    void chooserOkOnUnchangedFile()
    {
        Folders f;
        place(f.prog() + QStringLiteral("a.fdb"), QStringLiteral("one"));
        ScriptedDialogs dialogs;
        TMainForm w(f.prog(), f.user());
        QVERIFY(w.loadedGroup() != 0);
        QCOMPARE(w.AboutBox->e_name->text(), QStringLiteral("Hazai fák"));

        bool okEnabled = false;
        whenChooserShown([&](TPreferencesForm *c) {
            // The open file needs no test.
            QCOMPARE(c->dbcombo->currentText(), f.prog() + QStringLiteral("a.fdb"));
            okEnabled = c->okbtn->isEnabled();
            QTest::mouseClick(c->okbtn, Qt::LeftButton);
        });
        QTest::mouseClick(w.btnTools, Qt::LeftButton);
        QVERIFY(okEnabled);

        // Reopened, emptied, and no group chosen even though the file holds only one.
        QVERIFY(w.DB_Zuderirav.isOpen());
        QVERIFY(w.Trans_readonly.isActive());
        QCOMPARE(w.DB_Zuderirav.databaseName, f.prog() + QStringLiteral("a.fdb"));
        QCOMPARE(w.SelectedGroupCombo->count(), 1);
        QCOMPARE(w.SelectedGroupCombo->currentIndex(), -1);
        QCOMPARE(w.loadedGroup(), 0);
        QCOMPARE(w.Screen->key().taxonCount(), 0);
        QCOMPARE(w.Screen->key().nodes.size(), size_t(0));
        for (QLineEdit *e : {w.AboutBox->e_name, w.AboutBox->e_lat, w.AboutBox->e_creator, w.AboutBox->e_verzio})
            QCOMPARE(e->text(), QString());
        QCOMPARE(w.AboutBox->m_desc->toPlainText(), QString());

        // Choosing the group afterwards loads it again.
        w.SelectedGroupCombo->setCurrentIndex(0);
        QVERIFY(w.loadedGroup() != 0);
        QCOMPARE(w.AboutBox->e_name->text(), QStringLiteral("Hazai fák"));
    }

    void chooserSwitchesFile()
    {
        Folders f;
        place(f.prog() + QStringLiteral("a.fdb"), QStringLiteral("one"));
        place(f.root.filePath(QStringLiteral("keys/b.fdb")), QStringLiteral("two"));
        const QString other = f.root.filePath(QStringLiteral("keys/b.fdb"));
        ScriptedDialogs dialogs;
        TMainForm w(f.prog(), f.user());

        whenChooserShown([&](TPreferencesForm *c) {
            c->dbcombo->lineEdit()->clear();
            QTest::keyClicks(c->dbcombo->lineEdit(), other);
            QVERIFY(c->okbtn->isEnabled());
            QTest::mouseClick(c->okbtn, Qt::LeftButton);
        });
        QTest::mouseClick(w.btnTools, Qt::LeftButton);
        QCOMPARE(w.DB_Zuderirav.databaseName, other);
        QVERIFY(w.DB_Zuderirav.isOpen());
        QCOMPARE(w.SelectedGroupCombo->count(), 2);
        QCOMPARE(w.SelectedGroupCombo->currentIndex(), -1);
        QCOMPARE(w.AboutBox->e_name->text(), QString());

        w.close();
        // Remembered in "History" only; the next start opens the first file again.
        QCOMPARE(iniValue(f.userIni(), QStringLiteral("Main/DB")), f.prog() + QStringLiteral("a.fdb"));
        QCOMPARE(iniValue(f.userIni(), QStringLiteral("History/1")), f.prog() + QStringLiteral("a.fdb"));
        QCOMPARE(iniValue(f.userIni(), QStringLiteral("History/2")), other);
        ScriptedDialogs again;
        TMainForm next(f.prog(), f.user());
        QCOMPARE(next.DB_Zuderirav.databaseName, f.prog() + QStringLiteral("a.fdb"));
        QCOMPARE(next.PreferencesForm->history(), (QStringList{f.prog() + "a.fdb", other}));
    }

    // OK on a file that does not open (it passed the test, then went away): the error is
    // shown and nothing of the closed file's key stays.
    void failedSwitchLeavesUsableWindow()
    {
        Folders f;
        place(f.prog() + QStringLiteral("a.fdb"), QStringLiteral("one"));
        const QString other = f.root.filePath(QStringLiteral("keys/gone.fdb"));
        ScriptedDialogs dialogs;
        TMainForm w(f.prog(), f.user());
        QVERIFY(w.loadedGroup() != 0);

        whenChooserShown([&](TPreferencesForm *c) {
            // The state the test left before the file went away.
            c->dbcombo->setEditText(other);
            c->okbtn->setEnabled(true);
            QTest::mouseClick(c->okbtn, Qt::LeftButton);
        });
        dialogs.expectError();
        QTest::mouseClick(w.btnTools, Qt::LeftButton);
        QCOMPARE(dialogs.texts(), QStringList{openError(other)});
        QVERIFY(!w.DB_Zuderirav.isOpen());
        QCOMPARE(w.SelectedGroupCombo->count(), 0);
        QCOMPARE(w.loadedGroup(), 0);
        QCOMPARE(w.Screen->key().taxonCount(), 0);
        QCOMPARE(w.AboutBox->e_name->text(), QString());

        // The chooser leads back to a good file.
        whenChooserShown([&](TPreferencesForm *c) {
            c->dbcombo->lineEdit()->clear();
            QTest::keyClicks(c->dbcombo->lineEdit(), f.prog() + QStringLiteral("a.fdb"));
            QVERIFY(c->okbtn->isEnabled());
            QTest::mouseClick(c->okbtn, Qt::LeftButton);
        });
        QTest::mouseClick(w.btnTools, Qt::LeftButton);
        QVERIFY(w.DB_Zuderirav.isOpen());
        QCOMPARE(w.SelectedGroupCombo->count(), 1);
    }

    void withoutConfigFolderNothingIsKept()
    {
        Folders f;
        place(f.prog() + QStringLiteral("a.fdb"), QStringLiteral("one"));
        ScriptedDialogs dialogs;
        dialogs.expectError(); // the found file is not used, so nothing is named
        {
            TMainForm w(f.prog(), QString());
            QCOMPARE(w.ConfigFile, QString());
            QCOMPARE(w.DB_Zuderirav.databaseName, QString());
            QCOMPARE(w.PreferencesForm->history(), QStringList());
            w.close();
        }
        QVERIFY(QDir(f.user()).isEmpty());
    }
};

QTEST_MAIN(Startup)
#include "tst_startup.moc"
