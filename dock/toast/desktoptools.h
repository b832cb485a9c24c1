#pragma once
#include "platform/opener.h"

#include <QString>
#include <functional>

// The desktop's own tools (calculator, control panel, screenshot tool,
// terminal) as the dock's icons open them: when the desktop has none, the
// user is told so in a toast instead of seeing nothing happen.
namespace DesktopTools {

using Say = std::function<void(const QString &text)>;

// The toast text for a tool that is not installed.
QString missingText(platform::Opener::Tool tool);

// Starts the tool; when none is installed, hands `say` the toast text.
bool start(platform::Opener::Tool tool, const Say &say);

// Opens a path as an icon keeps it; a path that stands for a desktop tool
// (the control panel's location, "calc.exe") is started as above.
bool openPath(const QString &path, const Say &say);

} // namespace DesktopTools
