#pragma once
#include "iconclasses.h"

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
    QString Class; // an IconClass keyword (iconclasses.h)
    QString Path;  // file, folder, web address, shell location, drive root or "0"
    QString Note;

    // The fields by number, in the order of the icon files' columns.
    enum Field : int { IconIDField = 0, IconField, NameField, ClassField, PathField, NoteField };
    static constexpr int FieldCount = 6;
    QString field(int i) const;
    void setField(int i, const QString &value);
    bool operator==(const DockIconRecord &o) const;
};

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
    const char *id, *icon, *name;
    QString cl;
    const char *path;
};
template <int N>
QList<DockIconRecord> presetRecords(const PresetRow (&rows)[N])
{
    QList<DockIconRecord> out;
    for (const PresetRow &r : rows) {
        const QString icon = QString::fromUtf8(r.icon);
        out.append({ QString::fromUtf8(r.id), icon, QString::fromUtf8(r.name), r.cl,
                     QString::fromUtf8(r.path), icon });
    }
    return out;
}
Q_DECLARE_METATYPE(DockIconRecord)
