#include "autostart.h"
#include "regularfile.h"
#include "paths.h"
#include "platform/logging.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <XdgDesktopFile>
#include <XdgDirs>

namespace platform {

QString Autostart::programPath()
{
    return programFolder() + QStringLiteral("/Zorvane");
}

QString autostartFile()
{
    return XdgDirs::autostartHome(false) + QStringLiteral("/Zorvane.desktop");
}

QString desktopExecValue(const QString &program)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool quote = false;
    for (QChar ch : program)
        quote = quote || reserved.contains(ch);
    QString arg;
    for (QChar ch : program) {
        if (ch == QLatin1Char('%'))
            arg += QStringLiteral("%%");
        else if (quote && (ch == QLatin1Char('"') || ch == QLatin1Char('`') || ch == QLatin1Char('$')
                           || ch == QLatin1Char('\\')))
            arg += QLatin1Char('\\') + QString(ch);
        else
            arg += ch;
    }
    if (quote)
        arg = QLatin1Char('"') + arg + QLatin1Char('"');
    // The string escapes of the file come on top of the quoting rules.
    return desktopStringValue(arg);
}

QString desktopStringValue(const QString &text)
{
    QString value = text;
    value.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    value.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    value.replace(QLatin1Char('\t'), QStringLiteral("\\t"));
    value.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
    return value;
}

namespace {

// The program of an Exec value (its string escapes already undone): the
// first argument, unquoted, with "%%" back to "%".
QString execProgram(const QString &exec)
{
    QString arg;
    int i = 0;
    while (i < exec.size() && exec.at(i).isSpace())
        ++i;
    if (i < exec.size() && exec.at(i) == QLatin1Char('"')) {
        for (++i; i < exec.size() && exec.at(i) != QLatin1Char('"'); ++i) {
            if (exec.at(i) == QLatin1Char('\\') && i + 1 < exec.size())
                ++i;
            arg += exec.at(i);
        }
    } else {
        for (; i < exec.size() && !exec.at(i).isSpace(); ++i)
            arg += exec.at(i);
    }
    return arg.replace(QStringLiteral("%%"), QStringLiteral("%"));
}

class XdgAutostart final : public Autostart
{
public:
    QString value(const QString &fallback) override
    {
        const QString path = autostartFile();
        if (!QFileInfo::exists(path))
            return fallback;
        if (!RegularFile::isRegular(path))
            return fallback; // a pipe would hang the read
        XdgDesktopFile f;
        if (!f.load(path) || !f.isValid()) {
            qCDebug(lcDesktop) << "autostart entry unreadable:" << path;
            return fallback;
        }
        if (f.value(QStringLiteral("Hidden")).toString() == QLatin1String("true")
            || f.value(QStringLiteral("X-GNOME-Autostart-enabled")).toString() == QLatin1String("false"))
            return QString();
        // The library's own splitting gets quoted arguments wrong.
        return execProgram(f.value(QStringLiteral("Exec")).toString());
    }

    bool setValue(const QString &program) override
    {
        const QString path = autostartFile();
        QDir().mkpath(QFileInfo(path).path());
        if (QFileInfo::exists(path)) {
            XdgDesktopFile old;
            if (RegularFile::isRegular(path) && (!old.load(path) || !old.isValid()))
                keepAside(path);
        }
        // The entry always names a program, so it stays a valid file when
        // switched off; Hidden is what turns it off.
        const QString exec = program.isEmpty() ? programPath() : program;
        QString text;
        text += QStringLiteral("[Desktop Entry]\n");
        text += QStringLiteral("Type=Application\n");
        text += QStringLiteral("Version=1.0\n");
        text += QStringLiteral("Name=Zorvane\n");
        // As the installed menu entry names and shows it.
        text += QStringLiteral("Name[zh_CN]=佐凡工具栏\n");
        text += QStringLiteral("Icon=Zorvane\n");
        // Once the program is gone (the package removed, the folder moved)
        // the session skips the entry instead of failing to start it.
        text += QStringLiteral("TryExec=") + desktopStringValue(exec) + QLatin1Char('\n');
        text += QStringLiteral("Exec=") + desktopExecValue(exec) + QLatin1Char('\n');
        text += QStringLiteral("Terminal=false\n");
        text += QStringLiteral("Hidden=") + (program.isEmpty() ? QStringLiteral("true") : QStringLiteral("false"))
            + QLatin1Char('\n');
        const QByteArray data = text.toUtf8();
        QSaveFile f(path);
        // The buffer is written out before commit(), which would otherwise
        // put an empty file in place of the old one on a full disk.
        if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size() || !f.flush()) {
            qCWarning(lcDesktop) << "autostart entry not written:" << path;
            f.cancelWriting();
            return false;
        }
        return f.commit();
    }

private:
    static void keepAside(const QString &path)
    {
        QString bad = path + QStringLiteral(".bad");
        for (int n = 1; QFile::exists(bad); ++n)
            bad = path + QStringLiteral(".bad.%1").arg(n);
        if (QFile::copy(path, bad))
            qCWarning(lcDesktop) << "unreadable file kept as" << bad;
    }
};

} // namespace

template <>
Autostart &Service<Autostart>::real()
{
    static XdgAutostart a;
    return a;
}

} // namespace platform
