#include "paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace paths {

QString programFolder()
{
    QString dir = QCoreApplication::applicationDirPath();
    if (!dir.endsWith(u'/'))
        dir += u'/';
    return dir;
}

QString userConfigFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

} // namespace paths
