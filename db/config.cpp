#include "config.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace config {

QString readIni(const QString &path, const QString &key, const QString &defaultValue)
{
    QSettings ini(path, QSettings::IniFormat);
    return ini.value(key.contains(u'/') ? key : QStringLiteral("Main/") + key, defaultValue).toString();
}

void writeIni(const QString &path, const QString &key, const QString &value)
{
    QSettings ini(path, QSettings::IniFormat);
    ini.setValue(key.contains(u'/') ? key : QStringLiteral("Main/") + key, value);
    ini.sync();
}

QString prepareUserConfig(const QString &userFolder, const QString &fileName)
{
    if (userFolder.isEmpty())
        return {};
    const QString folder = QDir(userFolder).filePath(QString::fromLatin1(kVendorFolder));
    if (!QDir().mkpath(folder))
        return {};
    const QString path = QDir(folder).filePath(fileName);
    if (!QFileInfo::exists(path)) {
        QSettings ini(path, QSettings::IniFormat);
        ini.setValue(QStringLiteral("Main/R"), QStringLiteral("1"));
        ini.sync();
        if (ini.status() != QSettings::NoError || !QFileInfo::exists(path))
            return {};
    }
    return path;
}

bool readPU(const QString &value)
{
    bool ok = false;
    const int v = value.trimmed().toInt(&ok);
    return ok && v != 0;
}

namespace {
bool exists(const QString &path)
{
    return !path.isEmpty() && QFileInfo::exists(path);
}

// "no" stands for "no entry": it is never a file name, else a start without any
// database would try to open a file called "no" in the working folder.
void setPath(Resolution &r, const QString &db)
{
    if (!db.trimmed().isEmpty() && db != u"no") {
        r.pathSet = true;
        r.dbPath = db;
    }
}
} // namespace

Resolution resolveEditor(const QString &programFolder, const QString &configPath)
{
    Resolution r;
    QString db;
    const bool userFile = exists(configPath);
    if (userFile) {
        db = readIni(configPath, QStringLiteral("DB"), QStringLiteral("no"));
        r.pu = readPU(readIni(configPath, QStringLiteral("PU"), {}));
        setPath(r, db);
    }
    if (db == u"no") {
        const QString shipped = programFolder + QString::fromLatin1(kEditorIni);
        if (exists(shipped)) {
            r.pu = readPU(readIni(shipped, QStringLiteral("PU"), {}));
            db = readIni(shipped, QStringLiteral("DB"), QStringLiteral("no"));
            if (!exists(db))
                db.clear();
            setPath(r, db);
        }
        if (userFile && !db.isEmpty())
            writeIni(configPath, QStringLiteral("DB"), db);
    }
    return r;
}

Resolution resolveFinder(const QString &programFolder, const QString &configPath)
{
    Resolution r;
    QString db;
    const bool userFile = exists(configPath);
    if (userFile) {
        db = readIni(configPath, QStringLiteral("DB"), QStringLiteral("no"));
        // A blank entry is filled like a missing one; kept blank, no start would ever find a file.
        if (db.trimmed().isEmpty())
            db = QStringLiteral("no");
        setPath(r, db);
    }
    if (db == u"no") {
        const QString shipped = programFolder + QString::fromLatin1(kFinderIni);
        if (exists(shipped)) {
            db = readIni(shipped, QStringLiteral("DB"), QStringLiteral("no"));
            if (!exists(db))
                db.clear();
            setPath(r, db);
            if (userFile && !db.isEmpty())
                writeIni(configPath, QStringLiteral("DB"), db);
        } else {
            db.clear();
            const QStringList found = QDir(programFolder).entryList({QStringLiteral("*.fdb")},
                                                                    QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
            if (!found.isEmpty())
                db = programFolder + found.first();
            if (userFile) {
                if (!db.isEmpty())
                    writeIni(configPath, QStringLiteral("DB"), db);
                setPath(r, db);
            }
        }
    }
    return r;
}

} // namespace config
