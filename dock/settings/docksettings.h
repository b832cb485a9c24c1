#pragma once
#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QPoint>
#include <QSet>
#include <QString>
#include <QVariant>
#include <QVariantMap>

#include <limits>

// How a key of the table reads. A key that holds no text reads as it is
// stored (0, false or empty), or as its default; a guarded one also gets its
// default written when the dock starts, so that older files gain the keys of
// newer versions. A number can further be held above zero (a size of 0
// divides the layout: it reads as the default) and within bounds (in memory;
// the file keeps what it says).
struct SettingRule
{
    enum Fallback : quint8 { Stored, Default, Guarded };
    Fallback fallback = Stored;
    bool positive = false;
    int low = std::numeric_limits<int>::min();
    int high = std::numeric_limits<int>::max();

    static constexpr SettingRule asStored() { return SettingRule(); }
    static constexpr SettingRule orDefault() { return withFallback(Default); }
    static constexpr SettingRule guarded() { return withFallback(Guarded); }
    constexpr SettingRule aboveZero() const
    {
        SettingRule r = *this;
        r.positive = true;
        return r;
    }
    constexpr SettingRule within(int lowest, int highest) const
    {
        SettingRule r = *this;
        r.low = lowest;
        r.high = highest;
        return r;
    }

private:
    static constexpr SettingRule withFallback(Fallback f)
    {
        SettingRule r;
        r.fallback = f;
        return r;
    }
};

// The file holds only numbers: a size far beyond any screen would make
// windows and pictures of gigabytes, so the dock reads its sizes within these.
namespace DockBounds {
inline constexpr int IconSize = 256; // the size icon pictures are made at
inline constexpr int Margin = 1024;
inline constexpr int NameSize = 200;
} // namespace DockBounds

// Every key the dock keeps in config.ini, the one place each is spelled:
// type, getter, setter, key, default (the value a first start writes) and
// how it reads. Numbers are stored as their decimal text, flags as "true" or
// "false", points as "@Point(x y)". A new setting is one line here; its
// users read the getter and hear of changes through DockSettings::changed,
// which is the only way a change travels: nobody keeps a copy.
#define ZV_DOCK_SETTINGS(X)                                                                                     \
    X(bool, workArea, setWorkArea, "System/WorkArea", false, guarded())                                         \
    X(int, screen, setScreen, "System/Screen", 0, asStored())                                                   \
    X(int, level, setLevel, "System/Level", 1, asStored())                                                      \
    X(int, margin, setMargin, "System/Margin", 0, asStored().within(0, DockBounds::Margin))                     \
    X(int, icoSize, setIcoSize, "System/IcoSize", 64, orDefault().aboveZero().within(1, DockBounds::IconSize))   \
    X(int, icoNameSize, setIcoNameSize, "System/IcoNameSize", 15,                                               \
      guarded().aboveZero().within(1, DockBounds::NameSize))                                                    \
    /* what the magnified size adds to the normal one */                                                        \
    X(int, icoScale, setIcoScale, "System/IcoScale", 64, orDefault().within(0, DockBounds::IconSize))           \
    X(int, location, setLocation, "System/Location", 2, asStored())                                             \
    X(int, backgroundStyle, setBackgroundStyle, "System/BackgroundStyle", 0, asStored())                        \
    X(int, transparentBackground, setTransparentBackground, "System/TransparentBackground", 150, asStored())    \
    X(bool, iconDoubleClick, setIconDoubleClick, "System/IconDoubleClick", false, asStored())                   \
    X(int, click, setClick, "System/Click", 1, asStored())                                                      \
    X(bool, locking, setLocking, "System/Locking", false, asStored())                                           \
    X(bool, hide, setHide, "System/Hide", false, asStored())                                                    \
    X(bool, upgradeNotice, setUpgradeNotice, "System/UpgradeNotice", true, guarded())                           \
    X(bool, pop, setPop, "System/Pop", true, asStored())                                                        \
    X(bool, mouseMaximize, setMouseMaximize, "System/MouseMaximize", true, guarded())                           \
    /* spelled so by every version */                                                                           \
    X(bool, mouseFullScreen, setMouseFullScreen, "System/MouseFullScree", false, guarded())                     \
    X(bool, inductionIco, setInductionIco, "System/InductionIco", false, guarded())                             \
    X(bool, winShow, setWinShow, "System/WinShow", true, asStored())                                            \
    /* the index of the panel's language list, as text */                                                      \
    X(QString, language, setLanguage, "System/Language", QString(), asStored())                                 \
    X(bool, startUpRemind, setStartUpRemind, "System/StartUpRemind", false, orDefault())                        \
    X(bool, taskbarAlpha, setTaskbarAlpha, "System/TaskbarAlpha", false, guarded())                             \
    X(bool, taskbarBlurry, setTaskbarBlurry, "System/TaskbarBlurry", false, guarded())                          \
    X(bool, taskbarHide, setTaskbarHide, "System/TaskbarHide", false, guarded())                                \
    X(bool, desktopIcon, setDesktopIcon, "System/DesktopIcon", false, guarded())                                \
    X(QString, appPath, setAppPath, "System/AppPath", QString(), orDefault())                                   \
    X(QString, hotkeyLaunchPad, setHotkeyLaunchPad, "Hotkey/LaunchPad", QStringLiteral("Alt+Q"), guarded())     \
    /* decides for itself and the three hot keys after it (DockConfig::read) */                                 \
    X(QString, hotkeyVesk, setHotkeyVesk, "Hotkey/Vesk", QStringLiteral("Alt+S"), asStored())                   \
    X(QString, hotkeyScreenshot, setHotkeyScreenshot, "Hotkey/Screenshot", QStringLiteral("Alt+X"), asStored()) \
    X(QString, hotkeyColorPicker, setHotkeyColorPicker, "Hotkey/ColorPicker", QStringLiteral("Alt+C"), asStored()) \
    X(QString, hotkeyDock, setHotkeyDock, "Hotkey/Zorvane", QStringLiteral("Alt+D"), asStored())                \
    X(bool, desktopTimeSwitch, setDesktopTimeSwitch, "DesktopWidget/TimeSwitch", false, asStored())             \
    X(bool, desktopTimeLocking, setDesktopTimeLocking, "DesktopWidget/Timelocking", false, asStored())          \
    X(bool, desktopNote, setDesktopNote, "DesktopWidget/Note", false, asStored())                               \
    X(QPoint, desktopTimePos, setDesktopTimePos, "DesktopWidget/TimePos", QPoint(), orDefault())                \
    X(int, desktopTimeStyle, setDesktopTimeStyle, "DesktopWidget/TimeStyle", 0, orDefault())                    \
    /* no language stored reads as Chinese: anything but "EN" is */                                             \
    X(QString, desktopTimeLanguage, setDesktopTimeLanguage, "DesktopWidget/TimeLanguage", QStringLiteral("EN"), \
      asStored())                                                                                               \
    X(int, desktopTimeAlpha, setDesktopTimeAlpha, "DesktopWidget/TimeAlpha", 100, orDefault())                  \
    X(int, desktopTimeSize, setDesktopTimeSize, "DesktopWidget/TimeSize", 500, orDefault())                     \
    X(int, weatherProvince, setWeatherProvince, "Weather/Province", 27, orDefault())                            \
    /* read only beside a province; then a missing city reads as 0 */                                           \
    X(int, weatherCity, setWeatherCity, "Weather/City", 8, asStored())                                          \
    X(int, protection, setProtection, "System/Protection", 0, orDefault())                                      \
    X(QPoint, protectionPos, setProtectionPos, "System/ProtectionPos", QPoint(), orDefault())                   \
    X(int, launchPadIconSize, setLaunchPadIconSize, "LaunchPad/IconSize", 160, orDefault())                     \
    X(int, launchPadBlurry, setLaunchPadBlurry, "LaunchPad/Blurry", 30, orDefault())                            \
    X(int, launchPadLuminance, setLaunchPadLuminance, "LaunchPad/luminance", 90, orDefault())                   \
    X(bool, launchPadBackground, setLaunchPadBackground, "LaunchPad/Background", false, orDefault())            \
    X(QString, launchPadBackgroundImage, setLaunchPadBackgroundImage, "LaunchPad/BackgroundImage", QString(),   \
      orDefault())                                                                                              \
    X(QString, launchPadNameColor, setLaunchPadNameColor, "LaunchPad/NameColor", QStringLiteral("#FFFFFF"),     \
      orDefault())

// The one reader and writer of the dock's config.ini. Values live in memory;
// save() writes the whole file atomically. QSettings never touches config.ini
// itself (it only formats and parses a private scratch copy), so no lock file
// is left beside it for a later start to wait on, and a file that cannot be
// written whole is left as it was while the values stay in memory.
class DockSettings : public QObject
{
    Q_OBJECT
public:
    // The keys of the table, named like their getters.
    enum class Key {
#define ZV_DOCK_SETTINGS_KEY(type, getter, setter, key, def, rule) getter,
        ZV_DOCK_SETTINGS(ZV_DOCK_SETTINGS_KEY)
#undef ZV_DOCK_SETTINGS_KEY
    };
    Q_ENUM(Key)

    // Every key at its default, by the getter's name.
    struct Defaults
    {
#define ZV_DOCK_SETTINGS_DEFAULT(type, getter, setter, key, def, rule) type getter = def;
        ZV_DOCK_SETTINGS(ZV_DOCK_SETTINGS_DEFAULT)
#undef ZV_DOCK_SETTINGS_DEFAULT
    };

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
    // A change is written at the next turn of the event loop. While saves are
    // held (the settings panel holds them while it is open) changes wait in
    // memory for the next save(): the panel's close, or the dock's quit.
    void holdSaves(bool held) { m_held = held; }
    bool savesHeld() const { return m_held; }

    // The table's typed accessors: each getter reads by its key's rule, each
    // setter stores in its key's form.
#define ZV_DOCK_SETTINGS_ACCESSORS(type, getter, setter, key, def, rule)                                   \
    type getter() const { return read(Key::getter).value<type>(); }                                       \
    void setter(const type &v) { store(Key::getter, QVariant::fromValue(v)); }
    ZV_DOCK_SETTINGS(ZV_DOCK_SETTINGS_ACCESSORS)
#undef ZV_DOCK_SETTINGS_ACCESSORS

    // The same by key, for code that walks a list of keys.
    QVariant read(Key key) const;
    // Stores a value in the key's form: a number as its decimal text (a
    // fraction as the text of a float), a flag as a boolean.
    void store(Key key, const QVariant &value);
    // The value as the file holds it, with no rule: invalid when missing.
    QVariant stored(Key key) const { return m_values.value(keyName(key)); }
    // Whether the key holds any text (an empty value counts as missing).
    bool hasText(Key key) const { return hasText(keyName(key)); }
    // Writes the default of every guarded key that read as its default.
    void fillGuarded();

    static QString keyName(Key key);
    static QVariant defaultValue(Key key);
    static const Defaults &defaults();
    static SettingRule rule(Key key);

    // Raw access by the key's text, as stored: an invalid QVariant for a
    // missing key. For looking at the file as it stands (tests, tools).
    QVariant value(const QString &key) const { return m_values.value(key); }
    bool contains(const QString &key) const { return m_values.contains(key); }
    bool hasText(const QString &key) const;
    void setValue(const QString &key, const QVariant &value);
    static QVariant defaultValue(const QString &key);
    static QStringList knownKeys();

    // Index into dockHotkeys of a setKey name (case-sensitive), or -1.
    static int hotkeyIndex(const QString &name);

signals:
    // A key of the table took another value: the one way its users hear of it.
    void changed(DockSettings::Key key);
    void saveFailed(const QString &path);

private:
    enum class Parse { Ok, NotIni, NoScratch };
    Parse parse(const QByteArray &bytes, QVariantMap *out) const;
    QString scratchTemplate() const;
    void removeLeftovers() const;

    QString m_path;
    QVariantMap m_values;
    // What read() gave for each key since the values last changed: the bar
    // asks for its sizes at every pointer move.
    mutable QHash<int, QVariant> m_read;
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
    bool m_held = false;
};

inline uint qHash(DockSettings::Key key, uint seed = 0)
{
    return qHash(int(key), seed);
}

// The five global hot keys, in the order they are created: the code the
// settings panel sends with setKey, and their key in the table (which holds
// the chord a first start gives them).
struct DockHotkey
{
    const char *name;
    DockSettings::Key key;
};
inline constexpr int DockHotkeyCount = 5;
inline constexpr DockHotkey dockHotkeys[DockHotkeyCount] = {
    { "LaunchPad", DockSettings::Key::hotkeyLaunchPad },
    { "vesk", DockSettings::Key::hotkeyVesk },
    { "Screenshot", DockSettings::Key::hotkeyScreenshot },
    { "Color", DockSettings::Key::hotkeyColorPicker },
    { "Dock", DockSettings::Key::hotkeyDock },
};
