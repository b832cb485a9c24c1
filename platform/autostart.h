#pragma once
#include "service.h"

#include <QString>

namespace platform {

// Starting the dock with the user's session. The stored value is the program
// the session starts: the dock's own binary when switched on, an empty text
// when switched off (the entry is kept, disabled).
class Autostart
{
public:
    virtual ~Autostart() = default;

    // The stored program; `fallback` when nothing is stored or the entry
    // cannot be read; an empty text when the entry is switched off.
    virtual QString value(const QString &fallback) = 0;
    // A program path switches autostart on, an empty text switches it off.
    virtual bool setValue(const QString &program) = 0;

    // What "on" stores: the dock's binary in the folder of the running program.
    static QString programPath();
};

using AutostartService = Service<Autostart>;

// The session's autostart entry of the dock: "Zorvane.desktop" in the
// user's XDG autostart folder.
QString autostartFile();
// The Exec value that starts `program` with no arguments, quoted and escaped
// as desktop entries require.
QString desktopExecValue(const QString &program);
// A text as the value of a string key of a desktop entry (TryExec, Name):
// backslashes, line breaks and tabs escaped.
QString desktopStringValue(const QString &text);

} // namespace platform
