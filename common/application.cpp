#include "application.h"

#include "dialogs.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <exception>

KeyApplication::KeyApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool KeyApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        dialogs().error(QString::fromUtf8(e.what()));
    } catch (...) {
        dialogs().error(QStringLiteral("Ismeretlen hiba történt."));
    }
    return false;
}

void KeyApplication::installHungarian()
{
    QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary));
    auto *tr = new QTranslator(this);
    if (tr->load(QStringLiteral("qtbase_hu"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(tr);
    else
        delete tr;
}
