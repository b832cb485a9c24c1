#pragma once
#include <QString>

// Which files count as programs and shortcuts. The dock's icon file keeps
// Windows names (".exe", ".lnk", ".bat"); their counterparts here are an
// executable file, a ".desktop" file (the shortcut, whose target is the
// program of its Exec line) and a ".sh" script. Suffixes compare without
// regard to case.
namespace platform {
namespace ProgramFiles {

bool hasSuffix(const QString &path, const char *suffix);

// ".lnk" or ".desktop".
bool isShortcut(const QString &path);

// What a shortcut points at: the target of a ".lnk" link, the program of a
// ".desktop" file's Exec line (as found on PATH when it is a bare name), or
// the address of a link-type ".desktop" file. Empty when it points nowhere.
QString shortcutTarget(const QString &path);

// The name a ".desktop" file gives its program (in the user's language),
// or empty for any other file.
QString shortcutName(const QString &path);

// Whether a file may be started directly: an executable binary or a script
// that names its interpreter ("#!"). A data file that merely carries the
// executable bit (as on FAT sticks) is not one.
bool isExecutableProgram(const QString &path);

// Whether a shortcut's target is something the dock starts as a program:
// no suffix at all (a bare program name or a folder), ".exe", ".sh",
// ".desktop", or an executable program.
bool isProgramTarget(const QString &target);

// A program file in the dock's sense: ".exe", ".lnk", ".bat", ".desktop",
// ".sh" or an executable program.
bool isProgramFile(const QString &path);

} // namespace ProgramFiles
} // namespace platform
