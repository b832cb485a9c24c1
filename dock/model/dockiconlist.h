#pragma once
#include "common/recordlist.h"
#include "dockicon.h"

// The icons of a bar, an icon menu or the launch pad, in display order. Views
// subscribe to the row signals instead of being told by hand; rows, columns and
// the file layout are those of the icon files (see dockfile.h).
class DockIconList : public RecordList<DockIconList, DockIconRecord>
{
    Q_OBJECT
public:
    explicit DockIconList(QObject *parent = nullptr) : RecordList(parent) {}

signals:
    void rowInserted(int row);
    void rowRemoved(int row, const DockIconRecord &old);
    void rowMoved(int from, int to);
    void rowChanged(int row);
    void reset();
};
