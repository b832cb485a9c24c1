#include "dockdrag.h"

#include "docklayout.h"
#include "dragtarget.h"

#include "common/logging.h"
#include "dock/icons/dockbar.h"
#include "dock/icons/formcommonicon.h"
#include "dock/icons/formdelete.h"
#include "dock/launchpad/formlaunchstarter.h"
#include "dock/menus/formmenu.h"
#include "dock/model/dockiconlist.h"
#include "platform/windowsystem.h"

#include <QCursor>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPixmap>

namespace {

// The ID by which the launch pad takes an icon from the bar.
const QString DockTarget = QStringLiteral("0");

// The icons the bar shows, in table order, with their length along the bar.
QVector<DragTarget::Item> barItems(const DockIconList *table, const DockBar *bar, bool horizontal)
{
    QVector<DragTarget::Item> items;
    for (int r = 0; r < table->rowCount(); ++r) {
        const QString id = table->at(r).IconID;
        if (bar->isIconHidden(id))
            continue;
        const QSize s = bar->iconSize(id);
        items.append({ r, table->at(r).Class, horizontal ? s.width() : s.height() });
    }
    return items;
}

} // namespace

DockDrag::DockDrag(DockIconList *icons, DockBar *bar, const DockSettings *settings, const BarNow *now,
                   const Frames &frames, QObject *parent)
    : QObject(parent), m_icons(icons), m_bar(bar), m_settings(settings), m_now(now), m_frames(frames)
{
    m_delete = new FormDelete;
    platform::setWindowRole(m_delete, platform::WindowRole::Popup);

    m_deleteLabel = new QLabel;
    m_deleteLabel->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    m_deleteLabel->setAlignment(Qt::AlignCenter);
    platform::setWindowRole(m_deleteLabel, platform::WindowRole::DragIcon);
    m_deleteLabel->resize(23, 23);
    // Only the round marker shows, not the square window around it. A
    // see-through window paints no style-sheet picture of its own, so the
    // label shows the marker as its picture.
    m_deleteLabel->setAttribute(Qt::WA_TranslucentBackground);
    m_deleteLabel->setPixmap(QPixmap(QStringLiteral(":/image/menu/delete0.png")));
    m_deleteLabel->setStyleSheet(QStringLiteral(
        "QLabel{border-image: url(:/image/menu/delete0.png);background-color: rgba(0, 0, 0,0);"
        "color: rgb(255, 255, 255);border-radius:0px;border-top: 0px;border-bottom:0px;border-left: 0px;"
        "border-right: 0px;border-style: solid;border-color: rgba(255,255,255,200);font: 10pt '微软雅黑';}"));

    // A frame around the ghost would take the pointer at the release, and the
    // bar would see it leave.
    m_ghost = new FormCommonIcon;
    platform::makePassThroughOverlay(m_ghost);
    platform::setWindowRole(m_ghost, platform::WindowRole::DragIcon);
}

DockDrag::~DockDrag()
{
    // Top-level windows with no parent to take them along.
    delete m_ghost;
    delete m_deleteLabel;
    delete m_delete;
}

void DockDrag::markDrop(int gapSlot)
{
    m_dropPending = true;
    m_gapSlot = gapSlot;
}

DockDrag::PendingDrop DockDrag::takePendingDrop()
{
    PendingDrop d { m_dropPending, m_dropBetween, m_gapSlot };
    m_dropPending = false;
    m_dropBetween = false;
    return d;
}

QRect DockDrag::barOnScreen() const
{
    const QWidget *b = m_frames.background;
    return QRect(b->mapToGlobal(QPoint(0, 0)), b->size());
}

QList<DockIconRecord> DockDrag::storedRows() const
{
    QList<DockIconRecord> rows = m_icons->rows();
    if (m_state == State::Dragging && m_icons->indexOfId(m_dragged.IconID) < 0)
        rows.insert(qBound(0, m_draggedRow, rows.size()), m_dragged);
    return rows;
}

void DockDrag::pressMove(const QString &id)
{
    if (m_settings->locking() || m_state == State::Dropping || m_state == State::HandedOver)
        return;
    m_bar->restoreAll();
    const int n = int(m_now->size);
    if (m_state == State::Idle) {
        const int r = m_icons->indexOfId(id);
        if (r < 0)
            return;
        m_state = State::Dragging;
        m_dragged = m_icons->record(r);
        m_draggedRow = r;
        QString picture = m_dragged.Icon;
        if (m_bar->contains(id)) {
            // A spacer shows the picture of its orientation, not its row's.
            if (IconClasses::of(m_dragged.Class).face == IconFace::Separator)
                picture = m_bar->picturePath(id);
            m_bar->setPlaceholderPos(m_bar->iconPos(id));
        }
        // The lifted row leaves the bar; the ghost carries it.
        m_icons->removeAt(r);
        // The hole the icon leaves is the gap until the pointer says otherwise.
        m_dropTarget = IconClass::MAIN;
        m_gapSlot = r;
        m_gapOpen = true;
        // The ghost and the delete marker sit at the pointer: they must not
        // take it, or the dock would see the pointer leave at the release.
        for (QWidget *marker : { static_cast<QWidget *>(m_ghost), static_cast<QWidget *>(m_deleteLabel) }) {
            if (!marker->windowFlags().testFlag(Qt::WindowTransparentForInput))
                marker->setWindowFlag(Qt::WindowTransparentForInput);
        }
        m_ghost->setIcon(id, n, n, 256, 256, m_now->edge, m_dragged.Name, picture, m_dragged.Class);
    } else if (id != m_dragged.IconID) {
        // Only the press that lifted the row moves it.
        return;
    }
    m_ghost->move(QCursor::pos() - QPoint(n / 2, n / 2));
    if (m_ghost->isHidden())
        m_ghost->show();
    aimAt(QCursor::pos());
}

// Follows the pointer (screen coordinates) with the gap, or with the
// delete marker while it is off the bar.
void DockDrag::aimAt(const QPoint &global)
{
    if (!barOnScreen().contains(global, true)) {
        m_deleteLabel->move(global + QPoint(10, -13));
        // Only an icon of the bar is deleted by dropping it here.
        if (m_state == State::Dragging && m_deleteLabel->isHidden()) {
            m_deleteLabel->show();
            // Above the dragged icon, which was shown first.
            m_deleteLabel->raise();
        }
        // The icons close up; gliding, so that no glide still on its way to
        // the old gap ends after them.
        if (m_gapOpen || m_dropTarget != IconClass::MAIN) {
            m_gapOpen = false;
            m_dropTarget = IconClass::MAIN;
            placeForGap(true, false);
        }
        emit relayoutRequested();
        if (m_delete->geometry().contains(global, true))
            m_delete->setHighlighted();
        else
            m_delete->setNormal();
        return;
    }
    m_deleteLabel->hide();
    const bool horizontal = DockLayout::isHorizontal(m_now->edge);
    const QPoint local = m_bar->mapFromGlobal(global) - m_bar->stripRect().topLeft();
    const int along = horizontal ? local.x() : local.y();
    const int room = int(m_now->size);
    const DragTarget::Aim was { m_dropTarget, m_gapSlot };
    const bool wasOpen = m_gapOpen && m_dropTarget == IconClass::MAIN;
    const DragTarget::Aim a = DragTarget::aim(barItems(m_icons, m_bar, horizontal), m_icons->rowCount(), along,
                                              wasOpen ? m_gapSlot : -1, room, was);
    const bool changed =
        a.target != was.target || a.gap != was.gap || (a.target == IconClass::MAIN && !wasOpen);
    m_dropTarget = a.target;
    if (a.target == IconClass::MAIN) {
        if (changed)
            openGap(a.gap, 0);
    } else if (changed) {
        coverIcon(a.gap);
    }
}

void DockDrag::openGap(int row, int lr)
{
    m_gapSlot = qBound(0, lr == 0 ? row : row + 1, m_icons->rowCount());
    m_gapOpen = true;
    placeForGap(true, true);
}

void DockDrag::coverIcon(int row)
{
    m_gapSlot = qBound(0, row, m_icons->rowCount());
    m_gapOpen = false;
    placeForGap(false, true);
}

void DockDrag::holdGap()
{
    if (m_gapOpen)
        placeForGap(false, true);
}

// Places the icons with the room of the gap, or one after the other when no
// gap is open. While the pointer is on the bar, the bar keeps the room
// either way, so that it does not shift under the pointer.
void DockDrag::placeForGap(bool animated, bool keepRoom)
{
    const int edge = m_now->edge;
    const float M = m_now->magnified;
    const int room = int(m_now->size);
    const bool horizontal = DockLayout::isHorizontal(edge);
    const QVector<DragTarget::Item> items = barItems(m_icons, m_bar, horizontal);
    const int gap = m_gapOpen ? m_gapSlot : -1;
    const QVector<int> at = DragTarget::places(items, gap, room);
    int length = keepRoom ? room : 0;
    for (int k = 0; k < items.size(); ++k) {
        const QString id = m_icons->record(items[k].row).IconID;
        const QPoint p = DockLayout::rowPlace(edge, at[k], at[k], m_bar->iconSize(id), M);
        if (!animated)
            m_bar->placeAt(id, p);
        else
            m_bar->moveAnimation(id, p);
        length += items[k].length;
    }
    const int spot = DragTarget::gapStart(items, m_gapSlot);
    m_bar->setPlaceholderPos(DockLayout::rowPlace(edge, spot, spot, QSize(room, room), M));
    emit barLengthChanged(length, length);
}

void DockDrag::fitDropHint()
{
    QWidget *hint = m_frames.dropHint;
    hint->setGeometry(m_frames.background->geometry());
    const int s = int(m_now->size) - 10;
    m_frames.dropHintIcon->resize(s, s);
    m_frames.dropHintIcon->move((hint->width() - s) / 2, (hint->height() - s) / 2);
}

void DockDrag::putBack()
{
    if (m_icons->indexOfId(m_dragged.IconID) >= 0)
        return;
    m_icons->insert(m_draggedRow, m_dragged);
}

void DockDrag::putDraggedBack()
{
    putBack();
    m_ghost->hide();
    m_delete->hide();
}

// Every way out of a drag ends here: the markers go, the gap closes and the
// bar is laid out again; a changed table is saved.
void DockDrag::finish(bool changed)
{
    m_state = State::Idle;
    m_bar->setPlaceholderShown(false);
    m_delete->hide();
    m_deleteLabel->hide();
    if (changed && !IconClass::isTransient(m_dragged.Class))
        emit saveRequested();
    m_dropTarget = IconClass::MAIN;
    m_gapOpen = false;
    m_dropPending = false;
    m_dropBetween = false;
    emit relayoutRequested();
    emit inputShapeChanged();
}

void DockDrag::cancel()
{
    if (m_state == State::HandedOver) {
        returnConfirm(false);
        return;
    }
    if (m_state != State::Dragging)
        return;
    qCDebug(lcBar) << "drag put back:" << m_dragged.IconID;
    putDraggedBack();
    finish(false);
}

void DockDrag::pressRelease()
{
    if (m_state != State::Dragging)
        return;
    m_state = State::Dropping;
    m_bar->setPlaceholderShown(false);
    m_gapOpen = false;
    m_deleteLabel->hide();
    if (m_settings->locking()) {
        // Locked while the icon was held: it goes back where it was.
        putDraggedBack();
        finish(false);
        return;
    }
    if (!DragTarget::onBar(QCursor::pos(), barOnScreen(), int(m_now->size)))
        deleteDragged();
    else
        dropOnBar();
    finish(true);
}

void DockDrag::deleteDragged()
{
    const DockIconRecord &d = m_dragged;
    if (IconClasses::of(d.Class).tool == DockTool::IconMenu) {
        const QString menuFile = FormMenu::menuFilePath(d.IconID);
        if (!menuFile.isEmpty() && QFile::exists(menuFile))
            QFile::remove(menuFile);
        if (FormMenu *menu = menuOf(d.IconID)) {
            menu->hideAnimated();
            menu->hide();
        }
    }
    emit toast(tr("图标删除成功！"));
    emit rebuildRequested();
    m_ghost->closeAnimation();
}

void DockDrag::dropOnBar()
{
    const DockIconRecord &d = m_dragged;
    const int rows = m_icons->rowCount();
    m_gapSlot = qBound(0, m_gapSlot, rows);
    qCDebug(lcBar) << "当前行数" << rows << m_gapSlot;
    const DockIconRecord at = m_gapSlot < rows ? m_icons->record(m_gapSlot) : DockIconRecord();

    if (IconClasses::of(m_dropTarget).tool == DockTool::IconMenu) {
        qCDebug(lcBar) << "菜单添加图标";
        const DragTarget::MenuVerdict verdict = DragTarget::menuVerdict(d.Class);
        FormMenu *menu = IconClasses::of(at.Class).tool == DockTool::IconMenu ? menuOf(at.IconID) : nullptr;
        if (menu && verdict == DragTarget::MenuVerdict::Accept && menu->AddIcon(d.Icon, d.Name, d.Class, d.Path)) {
            m_ghost->closeAnimation();
        } else {
            // Whatever refuses it, the icon stays in the bar where it was.
            putDraggedBack();
            emit toast(menu && verdict == DragTarget::MenuVerdict::MenuRefuses ? tr("菜单中不能添加此图标！")
                                                                              : tr("不能添加！"));
        }
    } else if (IconClasses::of(m_dropTarget).tool == DockTool::LaunchPad) {
        qCDebug(lcBar) << "LAUNCHPAD添加图标";
        const DragTarget::PadVerdict verdict = DragTarget::launchPadVerdict(d.Class);
        if (IconClasses::of(at.Class).tool != DockTool::LaunchPad || verdict == DragTarget::PadVerdict::Silent) {
            putDraggedBack();
        } else if (verdict == DragTarget::PadVerdict::AppRefused) {
            putDraggedBack();
            emit toast(tr("此应用不能添加！"));
        } else if (verdict == DragTarget::PadVerdict::IconRefused) {
            putDraggedBack();
            emit toast(tr("此图标不能添加！"));
        } else if (addToLaunchPad(d.Icon, d.Name, d.Class, d.Path, DockTarget)) {
            // The bar gives its icon up only once the launch pad holds it.
            m_ghost->closeAnimation();
        } else {
            putDraggedBack();
        }
    } else {
        if (m_icons->indexOfId(d.IconID) < 0)
            m_icons->insert(m_gapSlot, d);
        m_ghost->hide();
    }
}

bool DockDrag::addToLaunchPad(const QString &ico, const QString &name, const QString &cl, const QString &path,
                              const QString &id)
{
    return id == DockTarget && m_launchPad && m_launchPad->addIconFromDock(ico, name, cl, path, id);
}

void DockDrag::removeIcon(const QString &id)
{
    const int r = m_icons->indexOfId(id);
    if (r < 0)
        return;
    const QString cl = m_icons->at(r).Class;
    m_icons->removeAt(r);
    if (!IconClass::isTransient(cl))
        emit saveRequested();
    emit rebuildRequested();
    emit toast(tr("图标删除成功！"));
}

// ---- icons dragged back out of an icon menu ---------------------------------

void DockDrag::returnAddIcon(const QString &id, const QString &ico, const QString &name, const QString &cl,
                             const QString &path)
{
    // A bar icon held meanwhile keeps its drag: the row it lifted stays its own.
    if (m_state == State::Dragging || m_state == State::Dropping)
        return;
    m_dragged = { id, ico, name, cl, path, ico };
    m_draggedRow = -1;
    if (m_settings->locking())
        return;
    m_state = State::HandedOver;
    m_bar->restoreAll();
    aimAt(QCursor::pos());
}

bool DockDrag::returnConfirm(bool dropped)
{
    if (m_state == State::Dragging || m_state == State::Dropping)
        return true; // not the hand-over's to end
    const bool handedOver = m_state == State::HandedOver;
    m_state = State::Dropping;
    m_bar->setPlaceholderShown(false);
    const bool wasOpen = m_gapOpen;
    m_gapOpen = false;
    emit relayoutRequested();
    const int n = int(m_now->size);
    const QRect strip(m_bar->mapToGlobal(m_bar->stripRect().topLeft()), m_bar->stripRect().size());
    const bool onBar = DragTarget::onBar(QCursor::pos(), strip, n);
    qCDebug(lcBar) << "hand-over ends:" << (dropped ? "dropped" : "withdrawn") << (handedOver ? "" : "(not taken over)")
             << (onBar ? "on the bar" : "off the bar") << m_dropTarget;
    if (dropped && handedOver && !m_settings->locking() && onBar) {
        const DockIconRecord d = m_dragged;
        const int rows = m_icons->rowCount();
        const int gap = qBound(0, m_gapSlot, rows);
        const DockIconRecord at = gap < rows ? m_icons->record(gap) : DockIconRecord();
        bool taken = false;
        if (IconClasses::of(m_dropTarget).tool == DockTool::IconMenu
            && IconClasses::of(at.Class).tool == DockTool::IconMenu) {
            FormMenu *menu = menuOf(at.IconID);
            taken = menu && DragTarget::menuVerdict(d.Class) == DragTarget::MenuVerdict::Accept
                && menu->AddIcon(d.Icon, d.Name, d.Class, d.Path);
        } else if (IconClasses::of(m_dropTarget).tool == DockTool::LaunchPad
                   && IconClasses::of(at.Class).tool == DockTool::LaunchPad
                   && DragTarget::launchPadVerdict(d.Class) == DragTarget::PadVerdict::Accept) {
            taken = addToLaunchPad(d.Icon, d.Name, d.Class, d.Path, DockTarget);
        }
        // The menu has given the icon up: what nothing else takes lands on the bar.
        if (!taken) {
            m_gapSlot = (m_dropTarget == IconClass::MAIN && !wasOpen) ? rows : gap;
            m_dropPending = true;
            m_dropBetween = true;
            emit addRequested(d.Icon, d.Name, d.Class, d.Path);
        }
    }
    // The table is saved by the add, if any.
    finish(false);
    return !(dropped && m_settings->locking() && onBar);
}

// ---- files dragged in from outside ------------------------------------------

void DockDrag::dragEnter(QDragEnterEvent *e)
{
    if (m_settings->locking()
        || DragTarget::fileKind(DragTarget::draggedFile(e->mimeData())) == DragTarget::FileKind::None) {
        e->ignore();
        return;
    }
    e->acceptProposedAction();
    // The hint frame is sized for the bar but stays hidden: the placeholder
    // in the gap shows where the file lands.
    fitDropHint();
    m_dropTarget = IconClass::MAIN;
    m_gapOpen = false;
    emit inputShapeChanged();
}

void DockDrag::dragMove(QDragMoveEvent *e, const QPoint &global)
{
    if (m_settings->locking()) {
        e->ignore();
        return;
    }
    e->acceptProposedAction();
    m_bar->setPlaceholderShown(true);
    aimAt(global);
    emit inputShapeChanged();
}

void DockDrag::dragLeave()
{
    if (!m_settings->locking()) {
        m_frames.dropHint->hide();
        m_bar->setPlaceholderShown(false);
    }
    m_gapOpen = false;
    m_dropPending = false;
    m_dropBetween = false;
    m_dropTarget = IconClass::MAIN;
    emit relayoutRequested();
    emit inputShapeChanged();
}

void DockDrag::drop(QDropEvent *e)
{
    m_frames.dropHint->hide();
    m_bar->setPlaceholderShown(false);
    const bool wasOpen = m_gapOpen;
    m_gapOpen = false;
    const QString file = DragTarget::draggedFile(e->mimeData());
    const DragTarget::FileKind kind = DragTarget::fileKind(file);
    if (m_settings->locking() || kind == DragTarget::FileKind::None) {
        e->ignore();
    } else {
        e->acceptProposedAction();
        // A drop that never opened a gap goes to the end of the bar.
        if (m_dropTarget == IconClass::MAIN && !wasOpen)
            m_gapSlot = m_icons->rowCount();
        m_dropPending = true;
        m_dropBetween = m_dropTarget == IconClass::MAIN;
        if (kind == DragTarget::FileKind::Folder) {
            emit addRequested(QStringLiteral(":/image/icon/Folder.png"), QFileInfo(file).fileName(),
                              IconClass::FOLDER, file);
        } else {
            qCDebug(lcBar) << "程序文件：" << file;
            emit programDropped(file);
        }
    }
    // Accepted or refused, the next add lands where it is meant to.
    m_dropPending = false;
    m_dropBetween = false;
    m_dropTarget = IconClass::MAIN;
    emit relayoutRequested();
    emit inputShapeChanged();
}
