#pragma once
#include <QByteArray>
#include <QString>

// Files we write are replaced whole and atomically, so a crash or a full disk
// never leaves a cut file behind.
namespace SafeFile {

bool write(const QString &path, const QByteArray &data);
// Keeps an unreadable file as "<path>.bad" before anything overwrites it.
// Returns the path it was kept under, or an empty string.
QString keepBad(const QString &path);

} // namespace SafeFile
