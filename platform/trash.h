#pragma once
#include "service.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace platform {

// The desktop's trash: the user's home trash can and the trash cans that
// mounted volumes keep at their top folder (freedesktop.org Trash layout).
class Trash
{
public:
    enum State { Empty, HoldsItems, Unreadable };
    virtual ~Trash() = default;

    // HoldsItems as soon as one can holds one item; Unreadable when no can
    // holds anything and one of them could not be read.
    virtual State state() = 0;
    // Deletes every trashed item for good, in every can. True when all went.
    // Callers ask the user first: nothing here can be undone.
    virtual bool emptyAll() = 0;
};

using TrashService = Service<Trash>;

// The real implementation. Folders are given so that tests can point it at
// a temporary trash; the default constructor takes the user's own.
class FreedesktopTrash : public Trash
{
public:
    FreedesktopTrash();
    FreedesktopTrash(const QString &homeTrash, std::function<QStringList()> volumeTops, uint uid);

    State state() override;
    bool emptyAll() override;

    // The trash cans in use now: the home trash (when it exists) and the
    // valid cans of every volume top folder.
    QStringList cans() const;
    // The cans of one volume: "<top>/.Trash/<uid>" when ".Trash" is a real,
    // sticky folder, and "<top>/.Trash-<uid>" when it is a real folder of ours.
    static QStringList volumeCans(const QString &top, uint uid);
    // Removes a path without ever following a symbolic link out of it.
    static bool removeTree(const QString &path);

private:
    QString m_home;
    std::function<QStringList()> m_tops;
    uint m_uid;
};

} // namespace platform
