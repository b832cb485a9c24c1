#pragma once
#include "service.h"

#include <QString>
#include <QStringList>

namespace platform {

// Starting and ending programs. Names are bare executable names; a trailing
// ".exe" is dropped, so the names the dock stores keep working here.
class Processes
{
public:
    virtual ~Processes() = default;

    // Starts one of our own programs (see ownProgramFile).
    virtual bool startOwnProgram(const QString &name, const QStringList &args = {}) = 0;
    // Starts a program that is not part of this system, but only when an
    // executable of that name lies beside ours; otherwise does nothing.
    virtual bool startOutsideProgram(const QString &name) = 0;
    // Whether a process of this user runs the named program.
    virtual bool isRunning(const QString &name) = 0;
    // Ends this user's processes of the named program: SIGTERM, then SIGKILL
    // for those still alive after a short grace. Returns how many were found.
    virtual int killByName(const QString &name) = 0;
    // Starts the given program file again, detached (the language restart).
    virtual bool restartSelf(const QString &programFile) = 0;

    static QString bareName(const QString &name);
    // The file of one of our own programs: beside the running program, else
    // on PATH; empty when neither has it.
    static QString ownProgramFile(const QString &name);
};

using ProcessesService = Service<Processes>;

// Starts a program (a path, or a name found on PATH) in a session of its own,
// as a detached start would, but as a child of ours that is reaped when it
// ends: nothing we start is left behind as a zombie, also where orphans come
// to us or to a first process that does not reap them. False when it could
// not be started.
bool startReapedChild(const QString &program, const QStringList &args, const QString &workingDir,
                      qint64 *pid = nullptr);
// Children started so that have not been reaped yet.
int unreapedChildren();

} // namespace platform
