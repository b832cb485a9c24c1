#include "icontheme.h"
#include "regularfile.h"
#include "x11atoms.h"
#include "platform/logging.h"

#include <XdgDirs>

#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QX11Info>

#include <xcb/xcb.h>

namespace platform {
namespace IconTheme {

namespace {

// The themes desktops install, in the order they are taken when no setting
// names one.
const char *const commonThemes[] = { "Adwaita", "breeze", "Papirus", "Yaru", "elementary-xfce",
                                     "mate", "gnome", "oxygen", "Tango" };

// Settings files are a few lines; anything larger is not read.
constexpr qint64 SettingsCap = 1024 * 1024;

QByteArray readSettingsFile(const QString &path)
{
    QByteArray data;
    RegularFile::read(path, SettingsCap, &data);
    return data;
}

QString unquoted(QString value)
{
    value = value.trimmed();
    if (value.size() >= 2 && (value.startsWith(QLatin1Char('"')) || value.startsWith(QLatin1Char('\'')))
        && value.endsWith(value.at(0)))
        value = value.mid(1, value.size() - 2);
    return value.trimmed();
}

// The value of `key = value` on a line of its own, the last one winning as in GTK.
QString keyValue(const QString &line, const QString &key)
{
    const int eq = line.indexOf(QLatin1Char('='));
    if (eq < 0 || line.left(eq).trimmed() != key)
        return QString();
    return unquoted(line.mid(eq + 1));
}

} // namespace

QStringList searchPaths()
{
    QStringList paths { XdgDirs::dataHome(false) + QStringLiteral("/icons"), QDir::homePath() + QStringLiteral("/.icons") };
    for (const QString &d : XdgDirs::dataDirs())
        paths << d + QStringLiteral("/icons");
    paths << QStringLiteral("/usr/share/pixmaps");
    paths.removeDuplicates();
    return paths;
}

bool isInstalled(const QString &name, const QStringList &paths)
{
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name == QLatin1String("..") || name == QLatin1String("."))
        return false;
    for (const QString &p : paths) {
        if (QFileInfo(p + QLatin1Char('/') + name + QStringLiteral("/index.theme")).isFile())
            return true;
    }
    return false;
}

QString fromXSettings(const QByteArray &settings)
{
    // byte order, 3 unused, serial, count; then per setting: type, 1 unused,
    // name length, name padded to 4, serial, value.
    if (settings.size() < 12)
        return QString();
    QDataStream in(settings);
    quint8 order = 0;
    in >> order;
    if (order > 1)
        return QString();
    in.setByteOrder(order == 0 ? QDataStream::LittleEndian : QDataStream::BigEndian);
    in.skipRawData(3);
    quint32 serial = 0, count = 0;
    in >> serial >> count;
    const auto pad = [](quint32 n) { return (4 - n % 4) % 4; };
    for (quint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        quint8 type = 0;
        quint16 nameLength = 0;
        in >> type;
        in.skipRawData(1);
        in >> nameLength;
        QByteArray name(nameLength, '\0');
        if (in.readRawData(name.data(), nameLength) != nameLength)
            return QString();
        in.skipRawData(int(pad(nameLength)));
        quint32 lastChange = 0;
        in >> lastChange;
        switch (type) {
        case 0: // an integer
            in.skipRawData(4);
            break;
        case 1: { // a string
            quint32 length = 0;
            in >> length;
            if (length > quint32(settings.size()))
                return QString();
            QByteArray value(int(length), '\0');
            if (in.readRawData(value.data(), int(length)) != int(length))
                return QString();
            in.skipRawData(int(pad(length)));
            if (name == "Net/IconThemeName")
                return QString::fromUtf8(value).trimmed();
            break;
        }
        case 2: // a colour, four 16-bit channels
            in.skipRawData(8);
            break;
        default:
            return QString();
        }
    }
    return QString();
}

QString fromGtk3Settings(const QByteArray &ini)
{
    QString found;
    bool inSettings = false;
    for (const QString &raw : QString::fromUtf8(ini).split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1Char('[')))
            inSettings = line == QLatin1String("[Settings]");
        else if (inSettings && !line.startsWith(QLatin1Char('#')) && !line.startsWith(QLatin1Char(';'))) {
            const QString v = keyValue(line, QStringLiteral("gtk-icon-theme-name"));
            if (!v.isEmpty())
                found = v;
        }
    }
    return found;
}

QString fromGtk2Rc(const QByteArray &rc)
{
    QString found;
    for (const QString &raw : QString::fromUtf8(rc).split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1Char('#')))
            continue;
        const QString v = keyValue(line, QStringLiteral("gtk-icon-theme-name"));
        if (!v.isEmpty())
            found = v;
    }
    return found;
}

QByteArray readXSettings()
{
    if (!QX11Info::isPlatformX11())
        return QByteArray();
    xcb_connection_t *c = QX11Info::connection();
    const xcb_atom_t selection = internAtom(c, "_XSETTINGS_S" + QByteArray::number(QX11Info::appScreen()), true);
    const xcb_atom_t property = internAtom(c, "_XSETTINGS_SETTINGS", true);
    if (selection == XCB_NONE || property == XCB_NONE)
        return QByteArray();
    xcb_get_selection_owner_reply_t *owner =
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection), nullptr);
    const xcb_window_t window = owner ? owner->owner : XCB_NONE;
    free(owner);
    if (window == XCB_NONE)
        return QByteArray();
    // Settings are a few hundred bytes; 64 KiB is more than any manager sends.
    xcb_get_property_reply_t *r =
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, property, property, 0, 16384), nullptr);
    QByteArray data;
    if (r && r->format == 8)
        data = QByteArray(static_cast<const char *>(xcb_get_property_value(r)), xcb_get_property_value_length(r));
    free(r);
    return data;
}

QString find(const QByteArray &xsettings, const QStringList &paths)
{
    QStringList named { fromXSettings(xsettings),
                        fromGtk3Settings(readSettingsFile(XdgDirs::configHome(false) + QStringLiteral("/gtk-3.0/settings.ini"))),
                        fromGtk2Rc(readSettingsFile(QDir::homePath() + QStringLiteral("/.gtkrc-2.0"))) };
    for (const QString &d : XdgDirs::configDirs())
        named << fromGtk3Settings(readSettingsFile(d + QStringLiteral("/gtk-3.0/settings.ini")));
    named << fromGtk3Settings(readSettingsFile(QStringLiteral("/etc/gtk-3.0/settings.ini")));
    for (const char *common : commonThemes)
        named << QLatin1String(common);
    for (const QString &n : qAsConst(named)) {
        if (isInstalled(n, paths))
            return n;
    }
    return QString();
}

QString fallbackFor(const QString &theme, const QStringList &paths)
{
    for (const char *common : commonThemes) {
        const QString n = QLatin1String(common);
        if (n != theme && isInstalled(n, paths))
            return n;
    }
    return QStringLiteral("hicolor");
}

void apply()
{
    const QStringList paths = searchPaths();
    QStringList search = paths;
    for (const QString &p : QIcon::themeSearchPaths()) {
        if (!search.contains(p))
            search << p;
    }
    QIcon::setThemeSearchPaths(search);

    const QByteArray xsettings = readXSettings();
    const QString managed = fromXSettings(xsettings);
    const QString platformTheme = QIcon::themeName();
    QString theme;
    if (isInstalled(managed, paths))
        theme = managed;
    else if (platformTheme != QLatin1String("hicolor") && isInstalled(platformTheme, paths))
        theme = platformTheme;
    else
        theme = find(xsettings, paths);
    if (theme.isEmpty())
        theme = QStringLiteral("hicolor");
    QIcon::setThemeName(theme);
    QIcon::setFallbackThemeName(fallbackFor(theme, paths));
    qCDebug(lcDesktop) << "icon theme" << theme << "then" << QIcon::fallbackThemeName();
}

} // namespace IconTheme
} // namespace platform
