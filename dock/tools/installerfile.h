#pragma once
#include <QString>
#include <QUrl>

#include <memory>

class QFile;
class QTemporaryDir;

// Where a downloaded installer is written: a folder made fresh for it (mode
// 0700, a name no one can foresee) in a folder of the user's own, and in it
// a file made new, never opened through a link. No other user can plant
// anything on its way, so the download never writes over a file of the
// user's. The folder and what it holds go with this object unless kept.
class InstallerFile
{
public:
    // The name an installer from url is saved under: the server's file name,
    // without folders, leading dots or control characters, short enough for
    // any file system; "ZorvaneSetup" when nothing is left of it.
    static QString nameFor(const QUrl &url);
    // Removes the folders that earlier downloads left in parent (the kept
    // one of the last installer opened, those of a run that was killed).
    // Returns how many went.
    static int removeEarlier(const QString &parent);

    // Makes the folder in parent (made too, when missing).
    explicit InstallerFile(const QString &parent);
    ~InstallerFile();
    InstallerFile(const InstallerFile &) = delete;
    InstallerFile &operator=(const InstallerFile &) = delete;

    // Creates the file name in the folder. False, with why, when the folder
    // could not be made or anything stands at the path.
    bool create(const QString &name, QString *why);
    bool write(const QByteArray &bytes, QString *why);
    // Closes the complete file and keeps it, and its folder, for whoever
    // opens it; the next download's removeEarlier() takes them away.
    bool finish(QString *why);
    QString path() const { return m_path; }
    QString folder() const;

private:
    std::unique_ptr<QTemporaryDir> m_dir; // declared first: it goes after the file closed
    std::unique_ptr<QFile> m_file;
    QString m_path;
};
