#pragma once
#include <QDateTime>
#include <functional>
#include <QList>
#include <QMetaType>
#include <QString>

// One icon of a bar, a menu or the launch pad: six strings, one table row.
struct DockIconRecord
{
    QString IconID;
    QString Icon;  // picture path; for RECYCLE the empty and the full picture joined by ","
    QString Name;
    QString Class; // an IconClass keyword
    QString Path;  // file, folder, web address, shell location, drive root or "0"
    QString Note;

    static constexpr int FieldCount = 6;
    QString field(int i) const;
    void setField(int i, const QString &value);
    bool operator==(const DockIconRecord &o) const;
};

// The keywords of the Class field. Comparisons are exact and case-sensitive.
namespace IconClass {
inline const QString ICON = QStringLiteral("ICON");
inline const QString FOLDER = QStringLiteral("FOLDER");
inline const QString CMD = QStringLiteral("CMD");
inline const QString COMPUTER = QStringLiteral("COMPUTER");
inline const QString LIBRARY = QStringLiteral("LIBRARY");
inline const QString PANEL = QStringLiteral("PANEL");
inline const QString URL = QStringLiteral("URL");
inline const QString RECYCLE = QStringLiteral("RECYCLE");
inline const QString BLANK = QStringLiteral("BLANK");
inline const QString MENU = QStringLiteral("MENU");
inline const QString STARTMENU = QStringLiteral("STARTMENU");
inline const QString LAUNCHPAD = QStringLiteral("LAUNCHPAD");
inline const QString DISK = QStringLiteral("DISK");
inline const QString UDISK = QStringLiteral("UDISK");
inline const QString UPGRADE = QStringLiteral("UPGRADE");
inline const QString WEATHER = QStringLiteral("WEATHER");
inline const QString TIME1 = QStringLiteral("TIME1");
inline const QString TIME2 = QStringLiteral("TIME2");
inline const QString SHUTDOWN = QStringLiteral("SHUTDOWN");
inline const QString TIMESHUTDOWN = QStringLiteral("TIMESHUTDOWN");
inline const QString SETTING = QStringLiteral("SETTING");
inline const QString EYETOOL = QStringLiteral("EYETOOL");
inline const QString SEARCH = QStringLiteral("SEARCH");
inline const QString COLORPICKER = QStringLiteral("COLORPICKER");
inline const QString SCREENSHOTS = QStringLiteral("SCREENSHOTS");
inline const QString CALCULATOR = QStringLiteral("CALCULATOR");
inline const QString BACK = QStringLiteral("BACK");
inline const QString Temporary = QStringLiteral("Temporary");
inline const QString Placeholder = QStringLiteral("Placeholder");
inline const QString MAIN = QStringLiteral("MAIN");
// Rows that come and go while the dock runs: the icon file does not keep them.
inline bool isTransient(const QString &cl) { return cl == UPGRADE || cl == UDISK; }
} // namespace IconClass

namespace IconIds {
// "ico" + minute (2 digits) + millisecond (3 digits) + millisecond (no padding).
QString newId(const QDateTime &t);
// The same from the platform clock.
QString newId();
// newId() for now, moved on to the next free millisecond while taken(id):
// IDs hold only the minute and the millisecond, so two adds can meet.
QString freeId(const std::function<bool(const QString &)> &taken);
// Whether an ID may name a file (a menu's "<id>.xml" beside the icon file):
// only IDs of the form new and preset IDs have, "ico" and digits. A row read
// from a file with any other ID stays in its table, but names no file.
bool isSafeFileName(const QString &id);
// The icon menu file of a MENU row, or an empty string when its ID may not name a file.
QString menuFilePath(const QString &id);
inline const QString Plus = QStringLiteral("plus");        // built hidden
inline const QString Placeholder = QStringLiteral("00");   // the drag placeholder
} // namespace IconIds

// The fourteen rows a first start writes to "Zorvane.xml".
QList<DockIconRecord> dockPresetRows();

// A preset row as the code writes it; its Note is its picture.
struct PresetRow
{
    const char *id, *icon, *name, *cl, *path;
};
template <int N>
QList<DockIconRecord> presetRecords(const PresetRow (&rows)[N])
{
    QList<DockIconRecord> out;
    for (const PresetRow &r : rows) {
        const QString icon = QString::fromUtf8(r.icon);
        out.append({ QString::fromUtf8(r.id), icon, QString::fromUtf8(r.name), QString::fromUtf8(r.cl),
                     QString::fromUtf8(r.path), icon });
    }
    return out;
}
Q_DECLARE_METATYPE(DockIconRecord)
