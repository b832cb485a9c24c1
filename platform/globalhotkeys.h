#pragma once
#include "service.h"

#include <QObject>

namespace platform {

// Key chords taken for the whole session, so they reach us while another
// program has the focus. A chord is one element of a QKeySequence: a Qt key
// code OR'ed with the Shift, Control, Alt and Meta flags.
class GlobalHotKeys : public QObject
{
    Q_OBJECT
public:
    static constexpr int ModifierMask = 0x1E000000; // Shift | Control | Alt | Meta

    // Takes the chord. False when it names no key that can be taken (empty,
    // a modifier alone, a key this keyboard lacks) or another program holds it;
    // nothing stays taken then.
    virtual bool grab(int chord) = 0;
    // Gives a chord back; false when it was not taken.
    virtual bool ungrab(int chord) = 0;

signals:
    // A taken chord was pressed.
    void pressed(int chord);
};

using GlobalHotKeysService = Service<GlobalHotKeys>;

// What the X11 implementation grabs for a chord: one key code and the X
// modifier mask of its Shift, Control, Alt and Meta flags. False when the
// chord names no key (a key code of 0 would take the whole keyboard) or when
// we are not on X11.
struct X11Chord
{
    quint8 keycode = 0;
    quint16 modifiers = 0;
};
bool x11Chord(int chord, X11Chord *out);

} // namespace platform
