#pragma once
#include "desktopentries.h"

#include <QDialog>
#include <QIcon>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QListWidget;
class QPushButton;

namespace platform {

// An application as a user knows it from the desktop's menus.
struct Application
{
    QString file;    // its desktop entry
    QString name;    // its Name, in the user's language
    QString comment; // its Comment, likewise
    QIcon icon;
};

// The applications of the folders that would start from a menu here
// (hidden and NoDisplay entries, those meant for other desktops and those
// whose program is missing left out), one per desktop-file ID, by name.
QList<Application> applications(const QStringList &folders = DesktopEntries::applicationFolders());

// The desktop's applications by name and picture, several of which may be
// chosen, and a way out to any other file.
class ApplicationChooser : public QDialog
{
    Q_OBJECT
public:
    // The answer of exec() when the user asks for another file.
    enum { OtherFile = 2 };

    explicit ApplicationChooser(const QList<Application> &apps, QWidget *parent = nullptr);

    QListWidget *list() const { return m_list; }
    QPushButton *otherFileButton() const { return m_other; }
    // The desktop entries chosen, in list order.
    QStringList chosen() const;
    // As wide as the longest name wants, within the screen's area.
    void fitTo(const QRect &area);

    // The chooser over owner's window; without applications, or when the
    // user asks for another file, `otherFile` answers. Empty when cancelled.
    static QStringList choose(QWidget *owner, const std::function<QStringList()> &otherFile);

private:
    QListWidget *m_list;
    QPushButton *m_ok;
    QPushButton *m_other;
    int m_wanted = 0;
};

} // namespace platform
