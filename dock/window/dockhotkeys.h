#pragma once
#include "dock/settings/docksettings.h"

#include <QObject>

class QxtGlobalShortcut;

// The dock's five system-wide hot keys, in the order of dockHotkeys. Made
// from the chords config.ini gives at start; a chord changed in the settings
// panel takes effect at once and is stored.
class DockHotkeys : public QObject
{
    Q_OBJECT
public:
    explicit DockHotkeys(DockSettings *file, QObject *parent = nullptr);

    // Registers the chords (once; a second call changes them).
    void create(const QString chords[DockHotkeyCount]);
    // A settings-panel code ("LaunchPad", "vesk", …) and its new chord; an
    // unknown code changes nothing.
    void setKey(const QString &name, const QString &chord);
    QxtGlobalShortcut *shortcut(int index) const;

signals:
    void activated(int index);

private:
    DockSettings *m_file;
    QxtGlobalShortcut *m_keys[DockHotkeyCount] = {};
};
