#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// Files we write are replaced whole and atomically, so a crash or a full disk
// never leaves a cut file behind.
namespace SafeFile {

// Replaces the file with data. False, with the old file untouched, unless
// every byte reached the disk. A link at the path is replaced by the file,
// its target left alone; a file we may write but not read is left as it is
// (false), since it may hold what we could not read.
bool write(const QString &path, const QByteArray &data);

// Called with the path on the first failed write of a file after its last
// good one (or after the start), so a program can tell its user once per
// streak of failures rather than at every save. nullptr removes it.
using FailureReporter = std::function<void(const QString &path)>;
void setFailureReporter(FailureReporter reporter);

// Why a file is kept aside: it could not be read as it was written (damaged,
// foreign, out of order), or it holds more than its owner takes (cut).
enum class Why { Damaged, Cut };

// Keeps the whole file, as it stands, as "<path>.bad", on the disk (synced),
// before its owner saves over it what lacks part of it or replaces it.
// Returns the path it was kept under, or an empty string. What is not a
// regular file (a pipe, a device, a link) holds no data of ours and is not
// copied. A file the same as the copy kept last is not kept twice.
// When the copy cannot be made (a full disk), the file is left alone for the
// rest of the run: write() refuses it while it is still that file, and its
// owner goes on with what it read.
QString keepBad(const QString &path, Why why = Why::Damaged);
// Whether write() leaves this file as it is, since it could not be kept aside.
bool isLeftAlone(const QString &path);

// A file kept aside, or left alone because it could not be, for the user to hear of.
struct KeptFile
{
    QString path;
    QString keptAs; // empty: it could not be kept, and is left as it is
    Why why = Why::Damaged;
    QString error; // why it could not be kept
};
// The files kept or left alone since this was last asked, each once, in order.
QList<KeptFile> takeKeptFiles();
// Called at each file added to that list, so that a program can tell its user
// (through takeKeptFiles(), when it is ready to). nullptr removes it.
void setKeptReporter(std::function<void()> reporter);
// What the user is told of them, one short sentence per kind; empty for none.
QString keptNotice(const QList<KeptFile> &files);

// Removes the temporary files that saves cut short by a kill left in
// `folder` (only ours: their names say so). Run it at start, before the
// program writes anything there. A folder that is a link is left alone, and
// only regular files go. Returns how many went.
int removeLeftovers(const QString &folder);
// The same for a program's settings folder and the subfolders named in it,
// at start, once the program knows it runs alone. The settings folder may be
// a link the user made and is followed; a subfolder that is a link leads out
// of it and is left alone.
void removeLeftoversUnder(const QString &configFolder, const QStringList &subfolders = {});

} // namespace SafeFile
