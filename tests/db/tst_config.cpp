// Where both programs learn their database file, as one table of folder set-ups.
#include "config.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {
void touch(const QString &path)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
}
} // namespace

class TestConfig : public QObject {
    Q_OBJECT
private slots:
    void userFileIsCreatedOnce();
    void userFolderUnknownOrUnusable();
    void resolution_data();
    void resolution();
    void puFlag_data();
    void puFlag();
};

void TestConfig::userFileIsCreatedOnce()
{
    QTemporaryDir dir;
    const QString path = config::prepareUserConfig(dir.path() + "/a/b", config::kFinderIni);
    QCOMPARE(path, dir.path() + "/a/b/ZEPRA/SK_keres.ini");
    QCOMPARE(config::readIni(path, "R", ""), QString("1"));
    config::writeIni(path, "DB", "/x.fdb");
    QCOMPARE(config::prepareUserConfig(dir.path() + "/a/b", config::kFinderIni), path);
    QCOMPARE(config::readIni(path, "DB", "no"), QString("/x.fdb")); // not re-created
}

void TestConfig::userFolderUnknownOrUnusable()
{
    QCOMPARE(config::prepareUserConfig("", config::kEditorIni), QString());
    QTemporaryDir dir;
    touch(dir.path() + "/file"); // a file where the folder should be
    QCOMPARE(config::prepareUserConfig(dir.path() + "/file", config::kEditorIni), QString());
}

// Columns: which program; the per-user file's DB key ("<none>" = no key, "<nofile>" = no
// per-user file at all); the shipped ini's DB key ("<none>" = no key, "<nofile>" = no
// shipped ini); .fdb files in the program folder; expected connection path ("<unset>" =
// keeps its built-in path); expected per-user DB key afterwards.
// In paths, "P/" stands for the program folder and "E" for an existing database file.
// A missing key reads as "no", which is never taken for a file name.
void TestConfig::resolution_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("userDb");
    QTest::addColumn<QString>("shippedDb");
    QTest::addColumn<QStringList>("fdbFiles");
    QTest::addColumn<QString>("expectedPath");
    QTest::addColumn<QString>("expectedUserDb");

    const QStringList none;
    // Editor
    QTest::newRow("editor: first start, shipped ini names an existing file") << "editor" << "<none>" << "E" << none << "E" << "E";
    QTest::newRow("editor: shipped ini names a missing file") << "editor" << "<none>" << "/nincs.fdb" << none << "<unset>" << "<none>";
    QTest::newRow("editor: per-user path wins, missing or not") << "editor" << "/nincs.fdb" << "E" << none << "/nincs.fdb" << "/nincs.fdb";
    QTest::newRow("editor: per-user \"no\" consults the shipped ini") << "editor" << "no" << "E" << none << "E" << "E";
    QTest::newRow("editor: no per-user file, shipped ini not consulted") << "editor" << "<nofile>" << "E" << none << "<unset>" << "<nofile>";
    QTest::newRow("editor: nothing anywhere") << "editor" << "<none>" << "<nofile>" << QStringList{"a.fdb"} << "<unset>" << "no"; // "no" is remembered: it reads like a missing key
    QTest::newRow("editor: blank per-user path") << "editor" << "  " << "E" << none << "<unset>" << "  ";
    // Finder
    QTest::newRow("finder: first start with one .fdb") << "finder" << "<none>" << "<nofile>" << QStringList{"kulcs.fdb"} << "P/kulcs.fdb" << "P/kulcs.fdb";
    QTest::newRow("finder: two .fdb, the first found") << "finder" << "<none>" << "<nofile>" << QStringList{"b.fdb", "a.fdb"} << "P/a.fdb" << "P/a.fdb";
    QTest::newRow("finder: \"no\" behaves like a missing key") << "finder" << "no" << "<nofile>" << QStringList{"kulcs.fdb"} << "P/kulcs.fdb" << "P/kulcs.fdb";
    QTest::newRow("finder: remembered path opens without search") << "finder" << "E" << "<nofile>" << QStringList{"kulcs.fdb"} << "E" << "E";
    QTest::newRow("finder: shipped ini naming a missing file, no search") << "finder" << "<none>" << "/nincs.fdb" << QStringList{"kulcs.fdb"} << "<unset>" << "<none>";
    QTest::newRow("finder: shipped ini without DB, no search") << "finder" << "<none>" << "<none>" << QStringList{"kulcs.fdb"} << "<unset>" << "<none>";
    QTest::newRow("finder: shipped ini names an existing file") << "finder" << "<none>" << "E" << QStringList{"kulcs.fdb"} << "E" << "E";
    QTest::newRow("finder: no .fdb anywhere") << "finder" << "<none>" << "<nofile>" << none << "<unset>" << "<none>";
    QTest::newRow("finder: no per-user file, found file not used") << "finder" << "<nofile>" << "<nofile>" << QStringList{"kulcs.fdb"} << "<unset>" << "<nofile>";
}

void TestConfig::resolution()
{
    QFETCH(QString, program);
    QFETCH(QString, userDb);
    QFETCH(QString, shippedDb);
    QFETCH(QStringList, fdbFiles);
    QFETCH(QString, expectedPath);
    QFETCH(QString, expectedUserDb);

    QTemporaryDir dir;
    const QString prog = dir.path() + "/prog/";
    QDir().mkpath(prog);
    const QString existing = dir.path() + "/letezo.fdb";
    touch(existing);
    const auto expand = [&](QString s) {
        if (s == "E")
            return existing;
        if (s.startsWith("P/"))
            return prog + s.mid(2);
        return s;
    };
    for (const QString &f : fdbFiles)
        touch(prog + f);
    const bool editor = program == "editor";
    const char *ini = editor ? config::kEditorIni : config::kFinderIni;
    if (shippedDb != "<nofile>") {
        QSettings s(prog + ini, QSettings::IniFormat);
        s.setValue("Main/Other", "x");
        if (shippedDb != "<none>")
            s.setValue("Main/DB", expand(shippedDb));
    }
    QString user;
    if (userDb != "<nofile>") {
        user = config::prepareUserConfig(dir.path() + "/home", ini);
        if (userDb != "<none>")
            config::writeIni(user, "DB", userDb == "E" ? existing : userDb);
    }
    const config::Resolution r = editor ? config::resolveEditor(prog, user) : config::resolveFinder(prog, user);
    if (expectedPath == "<unset>") {
        QVERIFY(!r.pathSet);
    } else {
        QVERIFY(r.pathSet);
        QCOMPARE(r.dbPath, expand(expectedPath));
    }
    if (expectedUserDb != "<nofile>")
        QCOMPARE(config::readIni(user, "DB", "<none>"), expand(expectedUserDb));
    if (!user.isEmpty())
        QCOMPARE(config::readIni(user, "R", ""), QString("1"));
}

void TestConfig::puFlag_data()
{
    QTest::addColumn<QString>("userPu");    // "<none>" = not set
    QTest::addColumn<QString>("shippedPu"); // "<none>" = not set
    QTest::addColumn<bool>("viaShipped");   // per-user file without DB, so the shipped file is read
    QTest::addColumn<bool>("expected");
    QTest::newRow("PU=1") << "1" << "<none>" << false << true;
    QTest::newRow("PU=yes") << "yes" << "<none>" << false << false;
    QTest::newRow("PU=0") << "0" << "<none>" << false << false;
    QTest::newRow("missing") << "<none>" << "<none>" << false << false;
    QTest::newRow("PU=2 shipped, read with its DB") << "<none>" << "2" << true << true;
    QTest::newRow("shipped PU ignored once DB is known") << "<none>" << "1" << false << false;
}

void TestConfig::puFlag()
{
    QFETCH(QString, userPu);
    QFETCH(QString, shippedPu);
    QFETCH(bool, viaShipped);
    QFETCH(bool, expected);
    QTemporaryDir dir;
    const QString prog = dir.path() + "/";
    const QString user = config::prepareUserConfig(dir.path() + "/home", config::kEditorIni);
    if (!viaShipped)
        config::writeIni(user, "DB", "/valahol.fdb");
    if (userPu != "<none>")
        config::writeIni(user, "PU", userPu);
    QSettings s(prog + config::kEditorIni, QSettings::IniFormat);
    s.setValue("Main/DB", "/nincs.fdb");
    if (shippedPu != "<none>")
        s.setValue("Main/PU", shippedPu);
    s.sync();
    QCOMPARE(config::resolveEditor(prog, user).pu, expected);
}

QTEST_GUILESS_MAIN(TestConfig)
#include "tst_config.moc"
