#pragma once
#include <QKeySequence>
#include <QObject>

// One system-wide hot key: its chord works while any other program has the
// focus. It registers at once; a chord the system refuses is logged, and the
// object stays and never fires. A chord that names no key (empty, or a
// modifier alone such as "Alt", which the settings panel uses to switch a
// hot key off) registers nothing and never fires.
//
// Two of our hot keys never share a chord: the one that holds it keeps it,
// and the later one is refused like a chord another program holds.
class QxtGlobalShortcut : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(QKeySequence shortcut READ shortcut WRITE setShortcut)
public:
    explicit QxtGlobalShortcut(QObject *parent = nullptr);
    QxtGlobalShortcut(const QKeySequence &shortcut, QObject *parent = nullptr);
    ~QxtGlobalShortcut() override;

    // The chord last asked for, also when the system refused it.
    QKeySequence shortcut() const;
    // Gives up the current chord, then registers the first chord of the
    // sequence. True when the system gave it to us.
    bool setShortcut(const QKeySequence &shortcut);
    bool isEnabled() const { return m_enabled; }
    // Whether it holds its chord: registered now, or again when a
    // suspension ends.
    bool isRegistered() const { return m_registered; }

    // While suspended, every hot key gives its chord back to the system, so
    // that a key chord typed reaches the window with the keyboard (the field
    // in which a hot key is being given); each keeps its chord and takes it
    // again when the suspension ends. Nested calls count.
    static void suspend();
    static void resume();
    static bool isSuspended();

public slots:
    // While disabled the chord stays registered and its presses are swallowed.
    void setEnabled(bool enabled = true) { m_enabled = enabled; }
    void setDisabled(bool disabled = true) { m_enabled = !disabled; }

signals:
    void activated();

private:
    friend class QxtGlobalShortcutDispatcher;
    void unbind();
    // Registers the chord held; false (and the chord let go) when refused.
    bool take();

    int m_chord = 0; // Qt key code OR'ed with its modifier flags; 0 = none
    bool m_enabled = true;
    bool m_registered = false;
};
