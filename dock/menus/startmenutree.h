#pragma once
#include <QList>
#include <QString>
#include <QStringList>

// The desktop's applications as the start-menu panel shows them: the
// ".desktop" files of the XDG data folders, one folder per main category.
namespace StartMenuTree {

struct Entry
{
    QString name;  // in the user's language
    QString file;  // the ".desktop" file
};

struct Folder
{
    QString category; // the main category ("Other" for none)
    QString name;     // what the panel shows
    QList<Entry> entries;
};

// "<folder>/applications" of the user's data folder, then of the system's,
// in the order that decides which of two files of one ID counts.
QStringList applicationFolders();

// The folders with their entries, in a fixed category order, each sorted
// by name. The first file of a desktop-file ID wins, also when it is
// hidden; Hidden and NoDisplay entries, entries not meant for this desktop,
// and anything but applications and links are left out. Sub-folders are
// walked, a symbolic link to a folder already walked is not.
QList<Folder> scan(const QStringList &applicationFolders);

// The main category of a Categories list, or "Other".
QString mainCategory(const QStringList &categories);
// The shown name of a main category.
QString folderName(const QString &category);
// An entry's name: "Name[zh_CN]" where the file has one, else the name in
// the user's language, else "Name".
QString entryName(const QString &desktopFile);

} // namespace StartMenuTree
