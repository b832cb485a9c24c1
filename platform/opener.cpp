#include "opener.h"
#include "desktopentries.h"
#include "regularfile.h"
#include "processes.h"
#include "programfiles.h"
#include "platform/logging.h"

#include <XdgDefaultApps>
#include <XdgDesktopFile>
#include <XdgDirs>

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <climits>

namespace platform {

namespace {

// The Windows shell locations that preset icons carry, by class ID.
struct ShellLocation
{
    const char *clsid;
    enum { Home, Settings, Trash } to;
};
constexpr ShellLocation shellLocations[] = {
    { "20D04FE0-3AEA-1069-A2D8-08002B30309D", ShellLocation::Home },     // computer
    { "031E4825-7B94-4DC3-B131-E946B44C8DD5", ShellLocation::Home },     // libraries
    { "26EE0668-A00A-44D7-9371-BEB064C98683", ShellLocation::Settings }, // control panel, also its pages
    { "645FF040-5081-101B-9F08-00AA002F954E", ShellLocation::Trash },    // recycle bin
};

// Windows programs that preset icons name, and what stands for them here.
struct WindowsProgram
{
    const char *fileName;
    Opener::Tool tool;
};
constexpr WindowsProgram windowsPrograms[] = {
    { "cmd.exe", Opener::Terminal },
    { "calc.exe", Opener::Calculator },
};

const QLatin1String trashUrl("trash:///");

bool startDesktopFile(const QString &file)
{
    XdgDesktopFile df;
    if (!RegularFile::isRegular(file) || !df.load(file) || !df.isValid()) {
        qCDebug(lcDesktop) << "not a usable desktop file:" << file;
        return false;
    }
    // A plain application is started as our own child, to be reaped when it
    // ends; the library starts the rest (terminal programs, D-Bus activation).
    if (df.type() == XdgDesktopFile::ApplicationType && !df.value(QStringLiteral("Terminal")).toBool()
        && !df.value(QStringLiteral("DBusActivatable")).toBool()) {
        QStringList args = df.expandExecString();
        if (!args.isEmpty()) {
            const QString program = args.takeFirst();
            QString dir = df.value(QStringLiteral("Path")).toString();
            if (!dir.isEmpty() && !QDir(dir).exists())
                dir.clear();
            return startReapedChild(program, args, dir);
        }
    }
    return df.startDetached();
}

bool startProgram(const QString &program, const QStringList &args = {})
{
    const QString dir = QFileInfo(args.isEmpty() ? program : args.first()).absolutePath();
    return startReapedChild(program, args, dir);
}

QString firstInstalled(const QList<XdgDesktopFile *> &apps)
{
    QString found;
    for (XdgDesktopFile *app : apps) {
        if (found.isEmpty() && app && app->isValid() && app->isSuitable(true))
            found = app->fileName();
    }
    qDeleteAll(apps);
    return found;
}

QString firstOnPath(std::initializer_list<const char *> names)
{
    for (const char *n : names) {
        const QString found = QStandardPaths::findExecutable(QLatin1String(n));
        if (!found.isEmpty())
            return found;
    }
    return QString();
}

// Where a tool is looked for among the desktop's applications: entries of
// its category, or with its keyword, or that start one of the usual programs
// (those of GNOME, KDE, Xfce, LXQt and MATE and a few common others, best
// first), which come before all other entries; of those, one that also has
// the preferred category comes first.
struct ToolSearch
{
    const char *category;
    const char *keyword;
    const char *preferred;
    QList<const char *> usual;
};

ToolSearch searchFor(Opener::Tool tool)
{
    switch (tool) {
    case Opener::Calculator:
        return { "Calculator", nullptr, nullptr,
                 { "gnome-calculator", "kcalc", "galculator", "qalculate-qt", "speedcrunch", "mate-calc",
                   "qalculate-gtk", "xcalc" } };
    case Opener::SystemSettings:
        return { "Settings", nullptr, "DesktopSettings",
                 { "gnome-control-center", "systemsettings", "systemsettings5", "xfce4-settings-manager",
                   "lxqt-config", "mate-control-center", "cinnamon-settings" } };
    case Opener::Screenshot:
        return { nullptr, "screenshot", nullptr,
                 { "gnome-screenshot", "spectacle", "xfce4-screenshooter", "screengrab", "mate-screenshot",
                   "flameshot" } };
    case Opener::Terminal:
        break;
    }
    return {};
}

int usualRank(const ToolSearch &search, const QString &program)
{
    const QString name = QFileInfo(program).fileName();
    for (int i = 0; i < search.usual.size(); ++i) {
        if (name == QLatin1String(search.usual.at(i)))
            return i;
    }
    return -1;
}

bool hasKeyword(const XdgDesktopFile &df, const char *keyword)
{
    const QStringList words = df.value(QStringLiteral("Keywords")).toString().split(QLatin1Char(';'));
    for (const QString &w : words) {
        if (w.trimmed().compare(QLatin1String(keyword), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QString findAmongApplications(const ToolSearch &search)
{
    const int usualCount = search.usual.size();
    QString best;
    int bestRank = INT_MAX;
    for (const DesktopEntries::Entry &e : DesktopEntries::list()) {
        XdgDesktopFile df;
        if (!DesktopEntries::load(e.file, &df) || !DesktopEntries::isStartable(df))
            continue;
        const QStringList categories = df.categories();
        const int usual = usualRank(search, df.expandExecString().value(0));
        const bool ofCategory = search.category && categories.contains(QLatin1String(search.category));
        const bool ofKeyword = search.keyword && hasKeyword(df, search.keyword);
        if (usual < 0 && !ofCategory && !ofKeyword)
            continue;
        int rank = usual;
        if (rank < 0)
            rank = search.preferred && categories.contains(QLatin1String(search.preferred)) ? usualCount
                                                                                             : usualCount + 1;
        if (rank < bestRank) {
            best = e.file;
            bestRank = rank;
        }
    }
    if (!best.isEmpty())
        return best;
    for (const char *u : search.usual) {
        const QString found = QStandardPaths::findExecutable(QLatin1String(u));
        if (!found.isEmpty())
            return found;
    }
    return QString();
}

} // namespace

const char *SystemOpener::toolName(Tool tool)
{
    switch (tool) {
    case Calculator: return "calculator";
    case Terminal: return "terminal";
    case SystemSettings: return "settings program";
    case Screenshot: return "screenshot tool";
    }
    return "tool";
}

OpenAction SystemOpener::plan(const QString &path, const QString &home)
{
    OpenAction a;
    if (path.isEmpty())
        return a;

    if (path.startsWith(QLatin1String("::{"))) {
        const int close = path.indexOf(QLatin1Char('}'));
        const QString clsid = close > 3 ? path.mid(3, close - 3) : QString();
        for (const ShellLocation &s : shellLocations) {
            if (clsid.compare(QLatin1String(s.clsid), Qt::CaseInsensitive) != 0)
                continue;
            switch (s.to) {
            case ShellLocation::Home:
                a.kind = OpenAction::Url;
                a.target = QUrl::fromLocalFile(home).toString();
                break;
            case ShellLocation::Settings:
                a.kind = OpenAction::Tool;
                a.tool = SystemSettings;
                break;
            case ShellLocation::Trash:
                a.kind = OpenAction::Url;
                a.target = trashUrl;
                break;
            }
            return a;
        }
        return a;
    }

    const QFileInfo fi(path);
    if (!fi.exists()) {
        // Addresses, and the Windows programs that only stand for a tool.
        // A scheme starts with a letter; anything else (a name such as
        // "-x://…") would reach the opener as an option.
        const int scheme = path.indexOf(QLatin1String("://"));
        if (scheme > 1 && path.at(0).isLetter() && !path.left(scheme).contains(QLatin1Char('/'))) {
            a.kind = OpenAction::Url;
            a.target = path;
            return a;
        }
        const QString name = QString(path).replace(QLatin1Char('\\'), QLatin1Char('/')).section(QLatin1Char('/'), -1);
        for (const WindowsProgram &w : windowsPrograms) {
            if (name.compare(QLatin1String(w.fileName), Qt::CaseInsensitive) == 0) {
                a.kind = OpenAction::Tool;
                a.tool = w.tool;
                return a;
            }
        }
        return a;
    }

    a.target = fi.absoluteFilePath();
    if (fi.isDir())
        a.kind = OpenAction::Url, a.target = QUrl::fromLocalFile(a.target).toString();
    else if (ProgramFiles::hasSuffix(path, "desktop"))
        a.kind = OpenAction::DesktopFile;
    else if (ProgramFiles::hasSuffix(path, "sh"))
        a.kind = OpenAction::Script;
    else if (ProgramFiles::isExecutableProgram(path))
        a.kind = OpenAction::Program;
    else
        a.kind = OpenAction::Url, a.target = QUrl::fromLocalFile(a.target).toString();
    return a;
}

bool toolOfPath(const QString &path, Opener::Tool *tool)
{
    const OpenAction a = SystemOpener::plan(path, QDir::homePath());
    if (a.kind != OpenAction::Tool)
        return false;
    *tool = a.tool;
    return true;
}

bool SystemOpener::openPath(const QString &path)
{
    const OpenAction a = plan(path, QDir::homePath());
    // What reaches a program is an absolute path or a URL, never an option.
    if (a.target.startsWith(QLatin1Char('-'))) {
        qCDebug(lcDesktop) << "not opened, it reads as an option:" << a.target;
        return false;
    }
    switch (a.kind) {
    case OpenAction::None:
        qCDebug(lcDesktop) << "nothing to open at" << path;
        return false;
    case OpenAction::Url:
        return openUrl(QUrl(a.target));
    case OpenAction::DesktopFile:
        return startDesktopFile(a.target);
    case OpenAction::Program:
        return startProgram(a.target);
    case OpenAction::Script:
        return QFileInfo(a.target).isExecutable() ? startProgram(a.target)
                                                  : startProgram(QStringLiteral("/bin/sh"), { a.target });
    case OpenAction::Tool:
        return startTool(a.tool);
    }
    return false;
}

bool SystemOpener::openUrl(const QUrl &url)
{
    if (QDesktopServices::openUrl(url))
        return true;
    if (url.toString() == trashUrl) {
        // Without a handler for the trash scheme, its files folder is the next best thing.
        const QString files = XdgDirs::dataHome(false) + QStringLiteral("/Trash/files");
        QDir().mkpath(files);
        return QDesktopServices::openUrl(QUrl::fromLocalFile(files));
    }
    qCDebug(lcDesktop) << "could not open" << url;
    return false;
}

QString SystemOpener::findTool(Tool tool)
{
    if (tool != Terminal)
        return findAmongApplications(searchFor(tool));
    if (XdgDesktopFile *chosen = XdgDefaultApps::terminal()) {
        const QString file = chosen->isValid() ? chosen->fileName() : QString();
        delete chosen;
        if (!file.isEmpty())
            return file;
    }
    const QString found = firstInstalled(XdgDefaultApps::terminals());
    if (!found.isEmpty())
        return found;
    return firstOnPath({ "x-terminal-emulator", "gnome-terminal", "konsole", "xfce4-terminal", "qterminal",
                         "lxterminal", "mate-terminal", "xterm" });
}

bool SystemOpener::startTool(Tool tool)
{
    const QString found = findTool(tool);
    if (found.isEmpty()) {
        qCDebug(lcDesktop) << "no" << toolName(tool) << "is installed";
        return false;
    }
    return found.endsWith(QLatin1String(".desktop")) ? startDesktopFile(found) : startProgram(found);
}

template <>
Opener &Service<Opener>::real()
{
    static SystemOpener o;
    return o;
}

} // namespace platform
