#pragma once
#include "service.h"

#include <QString>
#include <QStringList>

class QWidget;

namespace platform {

// The modal file and folder choosers, behind a service so that tests answer
// them instead of a person.
class Dialogs
{
public:
    virtual ~Dialogs() = default;
    // Several files may be chosen; empty when cancelled.
    virtual QStringList openFileNames(QWidget *parent, const QString &caption, const QString &folder,
                                      const QString &filter) = 0;
    // One file; empty when cancelled.
    virtual QString openFileName(QWidget *parent, const QString &caption, const QString &folder,
                                 const QString &filter)
    {
        return openFileNames(parent, caption, folder, filter).value(0);
    }
    // Folders only, links not followed; empty when cancelled.
    virtual QString existingFolder(QWidget *parent, const QString &caption, const QString &folder) = 0;
};

using DialogsService = Service<Dialogs>;

} // namespace platform
