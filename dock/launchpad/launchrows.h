#pragma once
#include "dock/model/dockicon.h"

#include <QList>
#include <QObject>
#include <QString>

class DockIconList;

// The launch pad's icons and their file, "LaunchPad.xml", and the only
// owner of both. The table is in grid order. While an icon is dragged the
// table may hold the hole (one row of class IconClass::Placeholder, which takes a
// cell but has no widget) and lacks the lifted row; what is written is
// always every icon once, the lifted one where it came from, so no save
// made during a drag can lose it.
class LaunchRows : public QObject
{
    Q_OBJECT
public:
    explicit LaunchRows(QObject *parent = nullptr);

    static QString filePath();
    // The twelve rows a first start writes.
    static QList<DockIconRecord> presetRows();

    // The table as the grid shows it: the hole included, the lifted row not.
    DockIconList *list() const { return m_list; }
    int size() const;
    const DockIconRecord &at(int row) const;
    // The row of an icon (never the hole), or -1.
    int rowOf(const QString &id) const;
    // What the file holds: every icon once, in order.
    QList<DockIconRecord> stored() const;

    // Reads the file once per run, or, without one, writes the presets as
    // its first content. A file that cannot be read leaves the pad empty
    // (it is kept aside as "LaunchPad.xml.bad").
    void load();
    bool isLoaded() const { return m_loaded; }
    bool save() const;

    // The user's changes, each saved at once. A new row gets a free ID and
    // is kept only when the file took it; the ID is returned, or an empty
    // string.
    QString add(const DockIconRecord &row);
    // Picture and name of a row; its Note and the rest stay.
    bool modify(const QString &id, const QString &icon, const QString &name);
    bool remove(const QString &id);

    // The drag. Lifting takes an icon's row out of the table and remembers
    // where it stood; the hole then marks where it will land.
    bool lift(const QString &id);
    bool isLifted() const { return m_lifted; }
    QString liftedId() const { return m_lifted ? m_liftedRow.IconID : QString(); }
    // The hole before the row-th icon (counted without the hole). False when
    // it stood there already.
    bool setHole(int row);
    int holeRow() const;
    // The lifted row takes the hole's place, or its own when no hole opened;
    // the file is written. False when there was nothing to land or the file
    // could not be written (the table keeps the new order).
    bool land();
    // The lifted row goes back where it came from; the file holds that already.
    void putBack();

private:
    void removeHoles();

    DockIconList *m_list;
    bool m_loaded = false;
    bool m_lifted = false;
    DockIconRecord m_liftedRow;
    int m_liftedFrom = -1;
};
