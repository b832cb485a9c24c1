#include "widget_p.h"

#include "docklayout.h"
#include "dragtarget.h"

#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFileInfo>

// ---- dragging icons in, out of and within the bar ---------------------------

namespace {

const QString DockTarget = QStringLiteral("0");

// The icons the bar shows, in table order, with their length along the bar.
QVector<DragTarget::Item> barItems(const DockIconList *table, const DockBar *bar, bool horizontal)
{
    QVector<DragTarget::Item> items;
    for (int r = 0; r < table->rowCount(); ++r) {
        const QString id = table->cell(r, 0);
        if (bar->isIconHidden(id))
            continue;
        const QSize s = bar->iconSize(id);
        items.append({ r, table->cell(r, 3), horizontal ? s.width() : s.height() });
    }
    return items;
}

} // namespace

QRect Widget::barOnScreen() const
{
    return QRect(ui->frameBackground->mapToGlobal(QPoint(0, 0)), ui->frameBackground->size());
}

void Widget::IconPressMove(QString ID, QPoint)
{
    if (m_set.locking)
        return;
    IconRestore();
    const int n = int(m_set.currentSizeF);
    if (!m_dragging) {
        const int r = IcoData->findRow(0, ID);
        if (r < 0)
            return;
        m_dragging = true;
        m_dragged = IcoData->record(r);
        m_draggedRow = r;
        QString picture = m_dragged.Icon;
        if (m_bar->contains(ID)) {
            // A spacer shows the picture of its orientation, not its row's.
            if (m_dragged.Class == IconClass::BLANK)
                picture = m_bar->picturePath(ID);
            m_bar->setPlaceholderPos(m_bar->iconPos(ID));
        }
        // The lifted row leaves the bar; the ghost carries it.
        IcoData->removeAt(r);
        // The hole the icon leaves is the gap until the pointer says otherwise.
        m_dropTarget = IconClass::MAIN;
        m_gapSlot = r;
        m_gapOpen = true;
        // The ghost and the delete marker sit at the pointer: they must not
        // take it, or the dock would see the pointer leave at the release.
        for (QWidget *marker : { static_cast<QWidget *>(m_dragGhost), static_cast<QWidget *>(m_deleteLabel) }) {
            if (!marker->windowFlags().testFlag(Qt::WindowTransparentForInput))
                marker->setWindowFlag(Qt::WindowTransparentForInput);
        }
        m_dragGhost->setIcon(ID, n, n, 256, 256, m_set.location, m_dragged.Name, picture, m_dragged.Class);
    }
    m_dragGhost->move(QCursor::pos() - QPoint(n / 2, n / 2));
    if (m_dragGhost->isHidden())
        m_dragGhost->show();
    IconPressPosMove();
}

void Widget::IconPressPosMove()
{
    aimAt(QCursor::pos());
}

// Follows the pointer (screen coordinates) with the gap, or with the
// delete marker while it is off the bar.
void Widget::aimAt(const QPoint &global)
{
    if (!barOnScreen().contains(global, true)) {
        m_deleteLabel->move(global + QPoint(10, -13));
        // Only an icon of the bar is deleted by dropping it here.
        if (m_dragging && m_deleteLabel->isHidden()) {
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
        m_relayoutTimer->start(1);
        if (m_delete->geometry().contains(global, true))
            m_delete->setHighlighted();
        else
            m_delete->setNormal();
        return;
    }
    m_deleteLabel->hide();
    const bool horizontal = DockLayout::isHorizontal(m_set.location);
    const QPoint local = m_bar->mapFromGlobal(global) - m_bar->stripRect().topLeft();
    const int along = horizontal ? local.x() : local.y();
    const int room = int(m_set.currentSizeF);
    const DragTarget::Aim was { m_dropTarget, m_gapSlot };
    const bool wasOpen = m_gapOpen && m_dropTarget == IconClass::MAIN;
    const DragTarget::Aim a =
        DragTarget::aim(barItems(IcoData, m_bar, horizontal), IcoData->rowCount(), along,
                        wasOpen ? m_gapSlot : -1, room, was);
    const bool changed =
        a.target != was.target || a.gap != was.gap || (a.target == IconClass::MAIN && !wasOpen);
    m_dropTarget = a.target;
    if (a.target == IconClass::MAIN) {
        if (changed)
            SerialNumber(a.gap, 0);
    } else if (changed) {
        MenuSerialNumber(a.gap);
    }
}

// Opens the gap before `row` (lr 0) or after it (lr 1); the icons glide apart.
void Widget::SerialNumber(int row, int lr)
{
    m_gapSlot = qBound(0, lr == 0 ? row : row + 1, IcoData->rowCount());
    m_gapOpen = true;
    placeForGap(true, true);
}

// Closes the gap at once; the placeholder covers the icon of `row`.
void Widget::MenuSerialNumber(int row)
{
    m_gapSlot = qBound(0, row, IcoData->rowCount());
    m_gapOpen = false;
    placeForGap(false, true);
}

void Widget::holdDragGap()
{
    placeForGap(false, true);
}

// Places the icons with the room of the gap, or one after the other when no
// gap is open. While the pointer is on the bar, the bar keeps the room
// either way, so that it does not shift under the pointer.
void Widget::placeForGap(bool animated, bool keepRoom)
{
    const int edge = m_set.location;
    const float M = m_set.icoMagnified;
    const int room = int(m_set.currentSizeF);
    const bool horizontal = DockLayout::isHorizontal(edge);
    const QVector<DragTarget::Item> items = barItems(IcoData, m_bar, horizontal);
    const int gap = m_gapOpen ? m_gapSlot : -1;
    const QVector<int> at = DragTarget::places(items, gap, room);
    int length = keepRoom ? room : 0;
    for (int k = 0; k < items.size(); ++k) {
        const QString id = IcoData->cell(items[k].row, 0);
        const QPoint p = DockLayout::rowPlace(edge, at[k], at[k], m_bar->iconSize(id), M);
        if (!animated)
            m_bar->placeAt(id, p);
        else
            m_bar->moveAnimation(id, p);
        length += items[k].length;
    }
    const int spot = DragTarget::gapStart(items, m_gapSlot);
    m_bar->setPlaceholderPos(DockLayout::rowPlace(edge, spot, spot, QSize(room, room), M));
    sizeBar(length, length);
}

void Widget::fitDropHint()
{
    ui->frameDragAdd->setGeometry(ui->frameBackground->geometry());
    const int s = int(m_set.currentSizeF) - 10;
    ui->labelico->resize(s, s);
    ui->labelico->move((ui->frameDragAdd->width() - s) / 2, (ui->frameDragAdd->height() - s) / 2);
}

void Widget::AddIconTemporary()
{
    if (IcoData->findRow(0, m_dragged.IconID) >= 0)
        return;
    insertIconRow(m_draggedRow, m_dragged);
}

void Widget::putDraggedBack()
{
    AddIconTemporary();
    m_dragGhost->hide();
    m_delete->hide();
}

void Widget::endDrag()
{
    m_delete->hide();
    m_deleteLabel->hide();
    if (!IconClass::isTransient(m_dragged.Class))
        SaveFile();
    m_dropTarget = IconClass::MAIN;
    m_gapOpen = false;
    m_relayoutTimer->start(1);
    updateInputShape();
}

void Widget::IconPressRelease(QString ID, QPoint)
{
    if (!m_dragging)
        return;
    m_bar->setPlaceholderShown(false);
    m_dragging = false;
    m_gapOpen = false;
    m_deleteLabel->hide();
    if (m_set.locking) {
        // Locked while the icon was held: it goes back where it was.
        putDraggedBack();
        endDrag();
        return;
    }
    const int n = int(m_set.currentSizeF);
    const QPoint cursor = QCursor::pos();
    const DockIconRecord &d = m_dragged;

    if (!DragTarget::onBar(cursor, barOnScreen(), n)) {
        if (d.Class == IconClass::MENU) {
            const QString menuFile = FormMenu::menuFilePath(d.IconID);
            if (!menuFile.isEmpty() && QFile::exists(menuFile))
                QFile::remove(menuFile);
            if (FormMenu *menu = menuWindows.value(d.IconID)) {
                menu->hideAnimated();
                menu->hide();
            }
        }
        showToast(tr("图标删除成功！"));
        rebuildBar();
        m_dragGhost->closeAnimation();
        endDrag();
        return;
    }

    const int rows = IcoData->rowCount();
    m_gapSlot = qBound(0, m_gapSlot, rows);
    qDebug() << "当前行数" << rows << m_gapSlot;
    const DockIconRecord at = m_gapSlot < rows ? IcoData->record(m_gapSlot) : DockIconRecord();

    if (m_dropTarget == IconClass::MENU) {
        qDebug() << "菜单添加图标";
        const DragTarget::MenuVerdict verdict = DragTarget::menuVerdict(d.Class);
        FormMenu *menu = at.Class == IconClass::MENU ? menuWindows.value(at.IconID) : nullptr;
        if (menu && verdict == DragTarget::MenuVerdict::Accept && menu->AddIcon(d.Icon, d.Name, d.Class, d.Path)) {
            m_dragGhost->closeAnimation();
        } else {
            // Whatever refuses it, the icon stays in the bar where it was.
            putDraggedBack();
            showToast(menu && verdict == DragTarget::MenuVerdict::MenuRefuses ? tr("菜单中不能添加此图标！")
                                                                             : tr("不能添加！"));
        }
    } else if (m_dropTarget == IconClass::LAUNCHPAD) {
        qDebug() << "LAUNCHPAD添加图标";
        const DragTarget::PadVerdict verdict = DragTarget::launchPadVerdict(d.Class);
        if (at.Class != IconClass::LAUNCHPAD || verdict == DragTarget::PadVerdict::Silent) {
            putDraggedBack();
        } else if (verdict == DragTarget::PadVerdict::AppRefused) {
            putDraggedBack();
            showToast(tr("此应用不能添加！"));
        } else if (verdict == DragTarget::PadVerdict::IconRefused) {
            putDraggedBack();
            showToast(tr("此图标不能添加！"));
        } else if (AddIcon3(d.Icon, d.Name, d.Class, d.Path, DockTarget)) {
            // The bar gives its icon up only once the launch pad holds it.
            m_dragGhost->closeAnimation();
            m_delete->hide();
        } else {
            putDraggedBack();
        }
    } else {
        if (IcoData->findRow(0, d.IconID) < 0)
            insertIconRow(m_gapSlot, d);
        m_dragGhost->hide();
    }
    endDrag();
}

bool Widget::AddIcon3(QString ico, QString name, QString cl, QString path, QString ID)
{
    return ID == DockTarget && m_launchPad->addIconFromDock(ico, name, cl, path, ID);
}

// Nothing reports it today; it takes an icon off the bar as a drag off it would.
void Widget::IconDetectionExists(QString ID)
{
    const int r = IcoData->findRow(0, ID);
    if (r < 0)
        return;
    const QString cl = IcoData->cell(r, 3);
    IcoData->removeAt(r);
    if (!IconClass::isTransient(cl))
        SaveFile();
    rebuildBar();
    showToast(tr("图标删除成功！"));
}

// ---- icons dragged back out of an icon menu ---------------------------------

void Widget::returnAddIcon(QString ID, QString ico, QString name, QString cl, QString path, QPoint)
{
    m_dragged = { ID, ico, name, cl, path, ico };
    if (m_set.locking)
        return;
    m_menuShown = false;
    IconRestore();
    IconPressPosMove();
}

void Widget::returnConfirm(bool b)
{
    m_bar->setPlaceholderShown(false);
    const bool wasOpen = m_gapOpen;
    m_gapOpen = false;
    m_relayoutTimer->start(1);
    const int n = int(m_set.currentSizeF);
    const QRect strip(m_bar->mapToGlobal(m_bar->stripRect().topLeft()), m_bar->stripRect().size());
    if (b && !m_set.locking && DragTarget::onBar(QCursor::pos(), strip, n)) {
        const DockIconRecord &d = m_dragged;
        const int rows = IcoData->rowCount();
        const int gap = qBound(0, m_gapSlot, rows);
        const DockIconRecord at = gap < rows ? IcoData->record(gap) : DockIconRecord();
        bool taken = false;
        if (m_dropTarget == IconClass::MENU && at.Class == IconClass::MENU) {
            FormMenu *menu = menuWindows.value(at.IconID);
            taken = menu && DragTarget::menuVerdict(d.Class) == DragTarget::MenuVerdict::Accept
                && menu->AddIcon(d.Icon, d.Name, d.Class, d.Path);
        } else if (m_dropTarget == IconClass::LAUNCHPAD && at.Class == IconClass::LAUNCHPAD
                   && DragTarget::launchPadVerdict(d.Class) == DragTarget::PadVerdict::Accept) {
            taken = AddIcon3(d.Icon, d.Name, d.Class, d.Path, DockTarget);
        }
        // The menu has given the icon up: what nothing else takes lands on the bar.
        if (!taken) {
            m_gapSlot = (m_dropTarget == IconClass::MAIN && !wasOpen) ? rows : gap;
            dropPending = true;
            m_dropBetween = true;
            AddIcon(d.Icon, d.Name, d.Class, d.Path);
        }
    }
    dropPending = false;
    m_dropBetween = false;
    m_dropTarget = IconClass::MAIN;
    updateInputShape();
}

void Widget::menuIcoMove(QString ID)
{
    if (FormMenu *menu = menuWindows.value(ID)) {
        menu->hide();
        menu->hideAnimated();
    }
}

void Widget::setIcoBMoveShow(bool b)
{
    m_menuDrag = b;
}

void Widget::setIcoBShow(bool b)
{
    m_menuShown = b;
    IconFreeze(b);
}

// ---- the pop-ups beside their icons ----------------------------------------

void Widget::IconMove(QString ID, QPoint, int w, int h, QString types)
{
    if (!m_bar->contains(ID))
        return;
    const QPoint at = m_bar->iconPos(ID);
    const int edge = m_set.location;
    const float N = m_set.currentSizeF, M = m_set.icoMagnified;
    const QPoint origin = ui->main->pos() + ui->frameMain->pos() + m_bar->stripRect().topLeft() + at;
    const QSize ico = m_bar->stripRect().size();
    if (types == IconClass::MENU) {
        // A menu icon may move before its menu exists.
        FormMenu *menu = menuWindows.value(ID);
        if (!menu)
            return;
        const int mw = menu->width(), mh = menu->height();
        int x = menu->x(), y = menu->y();
        if (DockLayout::isHorizontal(edge)) {
            x = origin.x() + w - mw - int(float(w) - N + 10) / 2;
            y = edge == 0 ? origin.y() + ico.height() - 5 : origin.y() - mh + 5;
        } else {
            y = origin.y() + h - mh - int(float(h) - N + 10) / 2;
            x = edge == 1 ? origin.x() - mw + 5 : origin.x() + ico.width() - 10;
        }
        menu->move(x, y);
    } else if (types == IconClass::STARTMENU) {
        const int tw = m_startMenu->width(), th = m_startMenu->height();
        int x = m_startMenu->x(), y = m_startMenu->y();
        if (DockLayout::isHorizontal(edge)) {
            x = origin.x() + int(M) / 2 - tw / 2;
            y = edge == 0 ? origin.y() + ico.height() + 10 : origin.y() - th - 10;
        } else {
            x = edge == 1 ? origin.x() - tw - 20 : origin.x() + ico.width() + 20;
            // Near the top the tree starts at the icon; further down it is
            // centred on the icon and kept inside the window.
            if (at.y() < th / 2)
                y = at.y();
            else
                y = qBound(0, origin.y() + h / 2 - th / 2, qMax(0, height() - th));
        }
        m_startMenu->move(x, y);
    }
}

// ---- files dragged in from outside ------------------------------------------

void Widget::dragEnterEvent(QDragEnterEvent *e)
{
    if (m_set.locking
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
    updateInputShape();
}

void Widget::dragMoveEvent(QDragMoveEvent *e)
{
    if (m_set.locking) {
        e->ignore();
        return;
    }
    e->acceptProposedAction();
    m_bar->setPlaceholderShown(true);
    aimAt(mapToGlobal(e->pos()));
    updateInputShape();
}

void Widget::dragLeaveEvent(QDragLeaveEvent *)
{
    if (!m_set.locking) {
        ui->frameDragAdd->hide();
        m_bar->setPlaceholderShown(false);
    }
    m_gapOpen = false;
    dropPending = false;
    m_dropBetween = false;
    m_dropTarget = IconClass::MAIN;
    m_relayoutTimer->start(1);
    updateInputShape();
}

void Widget::dropEvent(QDropEvent *e)
{
    ui->frameDragAdd->hide();
    m_bar->setPlaceholderShown(false);
    const bool wasOpen = m_gapOpen;
    m_gapOpen = false;
    const QString file = DragTarget::draggedFile(e->mimeData());
    const DragTarget::FileKind kind = DragTarget::fileKind(file);
    if (m_set.locking || kind == DragTarget::FileKind::None) {
        e->ignore();
    } else {
        e->acceptProposedAction();
        // A drop that never opened a gap goes to the end of the bar.
        if (m_dropTarget == IconClass::MAIN && !wasOpen)
            m_gapSlot = IcoData->rowCount();
        dropPending = true;
        m_dropBetween = m_dropTarget == IconClass::MAIN;
        if (kind == DragTarget::FileKind::Folder) {
            AddIcon(QStringLiteral(":/image/icon/Folder.png"), QFileInfo(file).fileName(), IconClass::FOLDER, file);
        } else {
            qDebug() << "程序文件：" << file;
            getIconNew(file, DockTarget);
        }
    }
    // Accepted or refused, the next add lands where it is meant to.
    dropPending = false;
    m_dropBetween = false;
    m_dropTarget = IconClass::MAIN;
    m_relayoutTimer->start(1);
    updateInputShape();
}
