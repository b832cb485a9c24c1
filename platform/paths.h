#pragma once
#include <QString>

namespace platform {

// The program's own settings folder (~/.config/<program>), created when missing.
QString appConfigFolder();
// appConfigFolder() + "/" + name
QString configPath(const QString &name);
// The per-user runtime folder (XDG_RUNTIME_DIR) where sockets and locks live.
QString runtimeFolder();
// The folder of the running program; our other programs lie beside it.
QString programFolder();

} // namespace platform
