#pragma once
#include <QList>
#include <QString>
#include <QStringList>

class XdgDesktopFile;

namespace platform {

// The desktop's applications: the ".desktop" files of the XDG data folders.
namespace DesktopEntries {

struct Entry
{
    QString id;   // the desktop-file ID: the path below "applications", "/" turned into "-"
    QString file;
};

// "<folder>/applications" of the user's data folder, then of the system's,
// in the order that decides which of two files of one ID counts.
QStringList applicationFolders();

// Every ".desktop" file of the folders, in folder order and by name within
// one. The first file of an ID hides those after it, also when it is itself
// hidden: that is how a user hides a system entry. Sub-folders are walked, a
// symbolic link to a folder already walked is not.
QList<Entry> list(const QStringList &folders = applicationFolders());

// Loads an entry; false for anything but a regular file that parses.
bool load(const QString &file, XdgDesktopFile *entry);

// Whether an entry would start something here: an application shown on this
// desktop (not hidden, not NoDisplay, meant for the current desktop), whose
// TryExec and Exec programs are installed.
bool isStartable(const XdgDesktopFile &entry);

} // namespace DesktopEntries
} // namespace platform
