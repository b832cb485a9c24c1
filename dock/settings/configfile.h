#pragma once
#include <QSettings>
#include <QString>

namespace settingsfile {

// The dock's config.ini.
QString path();
// Before the panel writes into a config.ini that QSettings could not parse,
// the file is kept aside: the write replaces it with what could be read.
void keepIfBad(QSettings &set);

} // namespace settingsfile
