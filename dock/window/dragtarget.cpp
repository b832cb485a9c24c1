#include "dragtarget.h"

#include "dock/model/dockicon.h"
#include "platform/programfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace DragTarget {

QVector<int> places(const QVector<Item> &items, int gap, int room)
{
    QVector<int> p;
    p.reserve(items.size());
    int along = 0;
    bool roomGiven = gap < 0;
    for (const Item &it : items) {
        if (!roomGiven && it.row >= gap) {
            along += room;
            roomGiven = true;
        }
        p.append(along);
        along += it.length;
    }
    return p;
}

int gapStart(const QVector<Item> &items, int gap)
{
    int along = 0;
    for (const Item &it : items) {
        if (it.row >= gap)
            return along;
        along += it.length;
    }
    return along;
}

Aim aim(const QVector<Item> &items, int rowCount, int cursor, int openGap, int room, const Aim &current)
{
    const int rows = qMax(0, rowCount);
    if (items.isEmpty())
        return { IconClass::MAIN, rows };
    // Over the room already left free: the gap stays where it is.
    if (openGap >= 0) {
        const int g = gapStart(items, openGap);
        if (cursor >= g && cursor < g + room)
            return { IconClass::MAIN, qMin(openGap, rows) };
    }
    const QVector<int> p = places(items, openGap, room);
    int k = items.size() - 1;
    for (int i = 0; i < items.size(); ++i) {
        if (cursor < p[i] + items[i].length) {
            k = i;
            break;
        }
    }
    const Item &it = items[k];
    const int start = p[k];
    if (IconClasses::of(it.cls).is(IconRule::TakesDrops) && cursor > start
        && cursor < start + it.length)
        return { it.cls, it.row };
    const int middle = start + it.length / 2;
    if (cursor < middle)
        return { IconClass::MAIN, it.row };
    if (cursor > middle)
        return { IconClass::MAIN, qMin(it.row + 1, rows) };
    // Exactly at the middle nothing moves.
    if (current.target == IconClass::MAIN && current.gap >= 0 && current.gap <= rows)
        return current;
    return { IconClass::MAIN, it.row };
}

bool onBar(const QPoint &p, const QRect &bar, int extra)
{
    return QRect(bar.x(), bar.y(), bar.width() + extra, bar.height()).contains(p, true);
}

MenuVerdict menuVerdict(const QString &cls)
{
    const IconClassInfo &c = IconClasses::of(cls);
    if (c.is(IconRule::StaysOnBar))
        return MenuVerdict::Refused;
    if (c.refusedIn(IconPlace::Menu))
        return MenuVerdict::MenuRefuses;
    return MenuVerdict::Accept;
}

PadVerdict launchPadVerdict(const QString &cls)
{
    const IconClassInfo &c = IconClasses::of(cls);
    if (!c.is(IconRule::NotDroppedInPad))
        return PadVerdict::Accept;
    if (c.tool == DockTool::LaunchPad)
        return PadVerdict::Silent;
    return c.face == IconFace::Separator ? PadVerdict::IconRefused : PadVerdict::AppRefused;
}

QString draggedFile(const QMimeData *mime)
{
    if (!mime || !mime->hasUrls())
        return QString();
    const QList<QUrl> urls = mime->urls();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return QString();
    return QDir::cleanPath(urls.first().toLocalFile());
}

FileKind fileKind(const QString &path)
{
    if (path.isEmpty())
        return FileKind::None;
    const QFileInfo fi(path);
    if (fi.isDir())
        return FileKind::Folder;
    if (fi.exists() && platform::ProgramFiles::isProgramFile(path))
        return FileKind::Program;
    return FileKind::None;
}

} // namespace DragTarget
