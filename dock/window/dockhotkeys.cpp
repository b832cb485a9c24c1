#include "dockhotkeys.h"

#include "dockconfig.h"
#include "dock/settings/qxtglobalshortcut.h"

DockHotkeys::DockHotkeys(DockSettings *file, QObject *parent) : QObject(parent), m_file(file) {}

void DockHotkeys::create(const QString chords[DockHotkeyCount])
{
    for (int i = 0; i < DockHotkeyCount; ++i) {
        const QKeySequence chord(chords[i], QKeySequence::NativeText);
        if (m_keys[i]) {
            m_keys[i]->setShortcut(chord);
            continue;
        }
        m_keys[i] = new QxtGlobalShortcut(chord, this);
        connect(m_keys[i], &QxtGlobalShortcut::activated, this, [this, i] { emit activated(i); });
    }
}

void DockHotkeys::setKey(const QString &name, const QString &chord)
{
    const int i = DockSettings::hotkeyIndex(name);
    if (i < 0 || !m_keys[i])
        return;
    m_keys[i]->setShortcut(QKeySequence(chord, QKeySequence::NativeText));
    DockConfig::writeHotkey(*m_file, i, chord);
}

QxtGlobalShortcut *DockHotkeys::shortcut(int index) const
{
    return index >= 0 && index < DockHotkeyCount ? m_keys[index] : nullptr;
}
