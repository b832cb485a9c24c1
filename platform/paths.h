#pragma once
#include <QString>

namespace platform {

// The program's own settings folder (~/.config/<program>), created when missing.
QString appConfigFolder();
// appConfigFolder() + "/" + name
QString configPath(const QString &name);

// The per-user folder where sockets and locks live. Whoever can write there
// can take our socket or hold our lock, so only a folder of ours that nobody
// else may enter will do: XDG_RUNTIME_DIR when it is one, else a folder
// "<temp>/zorvane-<uid>" that we make ourselves. Empty when neither is safe;
// runtimeFolderProblem() then says why, in a sentence for the user.
QString runtimeFolder();
QString runtimeFolderProblem();

struct RuntimeChoice
{
    QString folder;  // empty when none is safe
    QString problem; // why, when folder is empty
};
// The decision behind runtimeFolder(), for any environment and user.
RuntimeChoice chooseRuntimeFolder(const QString &xdgRuntimeDir, const QString &tempDir, uint uid);
// Whether path is a folder owned by uid that no one else may enter. A link
// is followed only when followLinks (a folder the user named, not one in a
// place that others can write to). Says why not in *problem.
bool isPrivateFolder(const QString &path, uint uid, bool followLinks, QString *problem);

// The user's desktop folder where there is one, else the home folder: a
// file dialog started in a folder that is missing opens elsewhere with the
// folder's name typed in as a file name.
QString desktopFolder();

// The folder of the running program; our other programs lie beside it.
QString programFolder();

} // namespace platform
