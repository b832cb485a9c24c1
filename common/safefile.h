#pragma once
#include <QByteArray>
#include <QString>
#include <functional>

// Files we write are replaced whole and atomically, so a crash or a full disk
// never leaves a cut file behind.
namespace SafeFile {

// Replaces the file with data. False, with the old file untouched, unless
// every byte reached the disk.
bool write(const QString &path, const QByteArray &data);

// Called with the path on the first failed write of a file after its last
// good one (or after the start), so a program can tell its user once per
// streak of failures rather than at every save. nullptr removes it.
using FailureReporter = std::function<void(const QString &path)>;
void setFailureReporter(FailureReporter reporter);

// Keeps an unreadable file as "<path>.bad" before anything overwrites it.
// Returns the path it was kept under, or an empty string. What is not a
// regular file (a pipe, a device) holds no data of ours and is not copied.
QString keepBad(const QString &path);

// Removes the temporary files that saves cut short by a kill left in
// `folder` (only ours: their names say so). Run it at start, before the
// program writes anything there. Returns how many went.
int removeLeftovers(const QString &folder);

} // namespace SafeFile
