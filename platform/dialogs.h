#pragma once
#include "service.h"

#include <QString>
#include <QStringList>

class QWidget;

namespace platform {

// The modal file and folder choosers, behind a service so that tests answer
// them instead of a person. Each stands over `owner`'s window (see
// placeOver); `places` are folders offered in its side bar besides the usual
// ones.
class Dialogs
{
public:
    virtual ~Dialogs() = default;
    // Several files may be chosen; empty when cancelled.
    virtual QStringList openFileNames(QWidget *owner, const QString &caption, const QString &folder,
                                      const QString &filter, const QStringList &places = {}) = 0;
    // One file; empty when cancelled.
    virtual QString openFileName(QWidget *owner, const QString &caption, const QString &folder,
                                 const QString &filter)
    {
        return openFileNames(owner, caption, folder, filter).value(0);
    }
    // The desktop's applications by name and picture, with a way to any
    // other file (the file chooser as above); the chosen desktop entries or
    // files, empty when cancelled.
    virtual QStringList openApplications(QWidget *owner, const QString &caption, const QString &folder,
                                         const QString &filter, const QStringList &places = {})
    {
        return openFileNames(owner, caption, folder, filter, places);
    }
    // Folders only, links not followed; empty when cancelled.
    virtual QString existingFolder(QWidget *owner, const QString &caption, const QString &folder) = 0;
};

using DialogsService = Service<Dialogs>;

// Where placeOver puts a dialog each time it is shown.
enum class Placing {
    Centred,       // centred on the owner's window, every time
    OwnersScreen,  // centred at its first showing; then where the user moved
                   // it, unless that lies off the screen the owner is on now
};

// Makes a dialog the transient child of the window `owner` lies in (the
// window it lies in when the dialog is shown), so that the window manager
// keeps it above that window, and places it over that window, whole on the
// screen. The dialog stays a top-level window of its own: it takes none of
// the owner's style sheet and outlives it.
void placeOver(QWidget *dialog, QWidget *owner, Placing placing = Placing::Centred);

} // namespace platform
