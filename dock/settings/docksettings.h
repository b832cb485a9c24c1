#pragma once
#include <QByteArray>
#include <QObject>
#include <QPoint>
#include <QSet>
#include <QString>
#include <QVariant>
#include <QVariantMap>

// Every key the dock keeps in config.ini: type, getter, setter, key, and the
// value a getter gives while the file holds no text for the key (the value a
// first start writes). A new setting is one line here.
#define ZV_DOCK_SETTINGS(X)                                                                       \
    X(bool, workArea, setWorkArea, "System/WorkArea", false)                                      \
    X(int, screen, setScreen, "System/Screen", 0)                                                 \
    X(int, level, setLevel, "System/Level", 1)                                                    \
    X(int, margin, setMargin, "System/Margin", 0)                                                 \
    X(int, icoSize, setIcoSize, "System/IcoSize", 64)                                             \
    X(int, icoNameSize, setIcoNameSize, "System/IcoNameSize", 15)                                 \
    X(int, icoScale, setIcoScale, "System/IcoScale", 64)                                          \
    X(int, location, setLocation, "System/Location", 2)                                           \
    X(int, backgroundStyle, setBackgroundStyle, "System/BackgroundStyle", 0)                      \
    X(int, transparentBackground, setTransparentBackground, "System/TransparentBackground", 150)  \
    X(bool, iconDoubleClick, setIconDoubleClick, "System/IconDoubleClick", false)                 \
    X(int, click, setClick, "System/Click", 1)                                                    \
    X(bool, locking, setLocking, "System/Locking", false)                                         \
    X(bool, hide, setHide, "System/Hide", false)                                                  \
    X(bool, upgradeNotice, setUpgradeNotice, "System/UpgradeNotice", true)                        \
    X(bool, pop, setPop, "System/Pop", true)                                                      \
    X(bool, mouseMaximize, setMouseMaximize, "System/MouseMaximize", true)                        \
    X(bool, mouseFullScreen, setMouseFullScreen, "System/MouseFullScree", false)                  \
    X(bool, inductionIco, setInductionIco, "System/InductionIco", false)                          \
    X(bool, winShow, setWinShow, "System/WinShow", true)                                          \
    X(QString, language, setLanguage, "System/Language", QString())                               \
    X(bool, startUpRemind, setStartUpRemind, "System/StartUpRemind", false)                       \
    X(bool, taskbarAlpha, setTaskbarAlpha, "System/TaskbarAlpha", false)                          \
    X(bool, taskbarBlurry, setTaskbarBlurry, "System/TaskbarBlurry", false)                       \
    X(bool, taskbarHide, setTaskbarHide, "System/TaskbarHide", false)                             \
    X(bool, desktopIcon, setDesktopIcon, "System/DesktopIcon", false)                             \
    X(QString, appPath, setAppPath, "System/AppPath", QString())                                  \
    X(QString, hotkeyLaunchPad, setHotkeyLaunchPad, "Hotkey/LaunchPad", QStringLiteral("Alt+Q"))  \
    X(QString, hotkeyVesk, setHotkeyVesk, "Hotkey/Vesk", QStringLiteral("Alt+S"))                 \
    X(QString, hotkeyScreenshot, setHotkeyScreenshot, "Hotkey/Screenshot", QStringLiteral("Alt+X")) \
    X(QString, hotkeyColorPicker, setHotkeyColorPicker, "Hotkey/ColorPicker", QStringLiteral("Alt+C")) \
    X(QString, hotkeyDock, setHotkeyDock, "Hotkey/Zorvane", QStringLiteral("Alt+D"))              \
    X(bool, desktopTimeSwitch, setDesktopTimeSwitch, "DesktopWidget/TimeSwitch", false)           \
    X(bool, desktopTimeLocking, setDesktopTimeLocking, "DesktopWidget/Timelocking", false)        \
    X(bool, desktopNote, setDesktopNote, "DesktopWidget/Note", false)                             \
    X(QPoint, desktopTimePos, setDesktopTimePos, "DesktopWidget/TimePos", QPoint())               \
    X(int, desktopTimeStyle, setDesktopTimeStyle, "DesktopWidget/TimeStyle", 0)                   \
    X(QString, desktopTimeLanguage, setDesktopTimeLanguage, "DesktopWidget/TimeLanguage", QStringLiteral("EN")) \
    X(int, desktopTimeAlpha, setDesktopTimeAlpha, "DesktopWidget/TimeAlpha", 100)                 \
    X(int, desktopTimeSize, setDesktopTimeSize, "DesktopWidget/TimeSize", 500)                    \
    X(int, weatherProvince, setWeatherProvince, "Weather/Province", 27)                           \
    X(int, weatherCity, setWeatherCity, "Weather/City", 8)                                       \
    X(int, protection, setProtection, "System/Protection", 0)                                     \
    X(QPoint, protectionPos, setProtectionPos, "System/ProtectionPos", QPoint()) \
    X(int, launchPadIconSize, setLaunchPadIconSize, "LaunchPad/IconSize", 160)                    \
    X(int, launchPadBlurry, setLaunchPadBlurry, "LaunchPad/Blurry", 30)                           \
    X(int, launchPadLuminance, setLaunchPadLuminance, "LaunchPad/luminance", 90)                  \
    X(bool, launchPadBackground, setLaunchPadBackground, "LaunchPad/Background", false)           \
    X(QString, launchPadBackgroundImage, setLaunchPadBackgroundImage, "LaunchPad/BackgroundImage", QString()) \
    X(QString, launchPadNameColor, setLaunchPadNameColor, "LaunchPad/NameColor", QStringLiteral("#FFFFFF"))

// The five global hot keys, in the order they are created: the code the
// settings panel sends with setKey, the key they are stored under, and the
// chord a first start gives them.
struct DockHotkey
{
    const char *name;
    const char *key;
    const char *fallback;
};
inline constexpr int DockHotkeyCount = 5;
inline constexpr DockHotkey dockHotkeys[DockHotkeyCount] = {
    { "LaunchPad", "Hotkey/LaunchPad", "Alt+Q" },
    { "vesk", "Hotkey/Vesk", "Alt+S" },
    { "Screenshot", "Hotkey/Screenshot", "Alt+X" },
    { "Color", "Hotkey/ColorPicker", "Alt+C" },
    { "Dock", "Hotkey/Zorvane", "Alt+D" },
};

// The one reader and writer of the dock's config.ini. Values live in memory;
// save() writes the whole file atomically. QSettings never touches config.ini
// itself (it only formats and parses a private scratch copy), so no lock file
// is left beside it for a later start to wait on, and a file that cannot be
// written whole is left as it was while the values stay in memory.
class DockSettings : public QObject
{
    Q_OBJECT
public:
    explicit DockSettings(const QString &path, QObject *parent = nullptr);
    ~DockSettings() override;

    // The dock's own instance on its config.ini, made on first use.
    static DockSettings *instance();
    static QString defaultPath();

    QString path() const { return m_path; }

    // Reads the file again; what was not saved is dropped. Of a damaged file
    // (a NUL byte, bytes that are not UTF-8, a line far longer than ours, a
    // quote left open, a broken section header) every line that reads well is
    // read, and a value dropped takes its default; the whole file is kept as
    // "config.ini.bad" first. A file with nothing that reads (binary, UTF-16,
    // oversized) is kept the same way and reads as no file. One that cannot be
    // read at all reads as no file too, and is never saved over; nor is one
    // that could not be kept aside, in this run.
    void load();
    // Whether the file was there and readable at the last load or was saved since.
    bool exists() const { return m_exists; }

    // Writes every value. False, with the old file untouched, when the file
    // could not be written whole; saveFailed() then tells once, until a save
    // succeeds again.
    bool save();
    bool isDirty() const { return !m_pending.isEmpty(); }

    // Raw access by key, as stored: an invalid QVariant for a missing key.
    QVariant value(const QString &key) const { return m_values.value(key); }
    bool contains(const QString &key) const { return m_values.contains(key); }
    // Whether the key holds any text (an empty value counts as missing).
    bool hasText(const QString &key) const;
    // The stored value when the key holds text, else the table's default.
    QVariant valueOrDefault(const QString &key) const;
    void setValue(const QString &key, const QVariant &value);
    static QVariant defaultValue(const QString &key);
    static QStringList knownKeys();

#define ZV_DOCK_SETTINGS_ACCESSORS(type, getter, setter, key, def)                                 \
    type getter() const { return valueOrDefault(QStringLiteral(key)).value<type>(); }              \
    void setter(const type &v) { setValue(QStringLiteral(key), QVariant::fromValue(v)); }
    ZV_DOCK_SETTINGS(ZV_DOCK_SETTINGS_ACCESSORS)
#undef ZV_DOCK_SETTINGS_ACCESSORS

    // Index into dockHotkeys of a setKey name (case-sensitive), or -1.
    static int hotkeyIndex(const QString &name);

signals:
    void valueChanged(const QString &key, const QVariant &value);
    void saveFailed(const QString &path);

private:
    enum class Parse { Ok, NotIni, NoScratch };
    Parse parse(const QByteArray &bytes, QVariantMap *out) const;
    QString scratchTemplate() const;
    void removeLeftovers() const;

    QString m_path;
    QVariantMap m_values;
    QByteArray m_base; // the file as last read or written: sections keep their order
    // Keys set since the last save. Only these are written into the copy of
    // the file: a key set again takes the place QSettings gives a new key.
    QSet<QString> m_pending;
    QString m_keptBad; // size and time of the unreadable file last kept aside
    bool m_exists = false;
    bool m_failing = false;
    // The file is there but could not be read (no right to, or no room for
    // the scratch copy): what is in memory is not what it holds, so nothing
    // is written over it until a load succeeds.
    bool m_unread = false;
    bool m_saveQueued = false;
};
