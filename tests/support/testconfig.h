#pragma once
#include "dock/settings/docksettings.h"
#include "testenv.h"

#include <QFile>
#include <QtTest>

// The dock's config.ini in a test (header only: the tests that use it link
// the dock's settings). What a test writes is read afresh by the dock's own
// settings object; stored() reads the file apart from it, as a later start would.
namespace TestConfig {

inline void reset()
{
    QFile::remove(DockSettings::defaultPath());
    DockSettings::instance()->load();
}

inline void writeIni(const QByteArray &ini)
{
    TestEnv::writeFile(DockSettings::defaultPath(), ini);
    DockSettings::instance()->load();
}

// A file holding only these keys.
inline void write(const QVariantMap &keys)
{
    reset();
    DockSettings *s = DockSettings::instance();
    for (auto it = keys.begin(); it != keys.end(); ++it)
        s->setValue(it.key(), it.value());
    QVERIFY(s->save());
}

inline QVariant stored(const QString &key)
{
    return DockSettings(DockSettings::defaultPath()).value(key);
}

} // namespace TestConfig
