#include "configfile.h"

#include "common/safefile.h"
#include "platform/paths.h"

namespace settingsfile {

QString path()
{
    return platform::configPath(QStringLiteral("config.ini"));
}

void keepIfBad(QSettings &set)
{
    if (set.status() == QSettings::FormatError)
        SafeFile::keepBad(set.fileName());
}

} // namespace settingsfile
