#include "version.h"

#include "version_config.h"

QString programVersion()
{
    return QStringLiteral(ZEPRA_VERSION_STRING);
}
