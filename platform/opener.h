#pragma once
#include "service.h"

#include <QString>
#include <QUrl>

namespace platform {

// Opening what an icon points at, the way the desktop would.
class Opener
{
public:
    // The desktop's own programs that some icons stand for.
    enum Tool { Calculator, Terminal, SystemSettings, Screenshot };

    virtual ~Opener() = default;

    // A path as an icon keeps it: a file or folder, a program, a ".desktop"
    // file, a script, a web address, or one of the Windows shell locations
    // that preset icons carry ("::{…}"). False when nothing could be opened.
    virtual bool openPath(const QString &path) = 0;
    // A web address, or a local file or folder as a file URL, in the user's
    // default program.
    virtual bool openUrl(const QUrl &url) = 0;
    // A desktop tool, looked for at run time; false (and a debug line) when
    // none is installed.
    virtual bool startTool(Tool tool) = 0;
};

// The desktop tool a path stands for (a preset's control-panel location, a
// Windows program such as "calc.exe"), if it stands for one.
bool toolOfPath(const QString &path, Opener::Tool *tool);

using OpenerService = Service<Opener>;

// What opening a path comes down to.
struct OpenAction
{
    enum Kind { None, Url, DesktopFile, Program, Script, Tool };
    Kind kind = None;
    QString target; // the URL text, or the file
    Opener::Tool tool = Opener::Calculator;
};

class SystemOpener : public Opener
{
public:
    bool openPath(const QString &path) override;
    bool openUrl(const QUrl &url) override;
    bool startTool(Tool tool) override;

    // Decides what openPath does with a path, without doing it. The home
    // folder stands in for "Computer" and "Libraries".
    static OpenAction plan(const QString &path, const QString &home);
    // A ".desktop" file or a program that provides the tool, or empty: an
    // application of the tool's category (the screenshot tool has none: its
    // keyword), the usual program of the big desktops first, else one of
    // those programs on PATH.
    static QString findTool(Tool tool);
    static const char *toolName(Tool tool);
};

} // namespace platform
