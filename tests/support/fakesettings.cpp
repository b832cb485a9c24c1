#include "fakesettings.h"

#include <QKeySequence>

FakeGlobalHotKeys::FakeGlobalHotKeys() { platform::GlobalHotKeysService::install(this); }
FakeGlobalHotKeys::~FakeGlobalHotKeys() { platform::GlobalHotKeysService::install(nullptr); }

bool FakeGlobalHotKeys::grab(int chord)
{
    grabCalls << chord;
    const int key = chord & ~ModifierMask;
    // Like the real one: no key, or a modifier alone, takes nothing.
    if (key == 0 || key == Qt::Key_Alt || key == Qt::Key_Control || key == Qt::Key_Shift
        || key == Qt::Key_Meta || key == Qt::Key_unknown)
        return false;
    if (heldElsewhere.contains(chord))
        return false;
    grabbed.insert(chord);
    return true;
}

bool FakeGlobalHotKeys::ungrab(int chord)
{
    ungrabCalls << chord;
    return grabbed.remove(chord);
}

bool FakeGlobalHotKeys::press(int chord)
{
    if (!grabbed.contains(chord))
        return false;
    emit pressed(chord);
    return true;
}

FakeAutostart::FakeAutostart() { platform::AutostartService::install(this); }
FakeAutostart::~FakeAutostart() { platform::AutostartService::install(nullptr); }

bool FakeAutostart::setValue(const QString &program)
{
    present = true;
    stored = program;
    writes << program;
    return true;
}
