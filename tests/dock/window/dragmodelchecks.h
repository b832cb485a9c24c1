#pragma once
// What the drag model test reads of the dock: every row stored, the state a
// sequence must not leave behind, and the tables in a line for a replay's log.
#include "dock/icons/barpointer.h"
#include "dock/icons/formcommonicon.h"
#include "dock/icons/formtimingflash.h"
#include "dock/window/dockdrag.h"
#include "widgetfixture.h"

#include <QApplication>
#include <QLabel>
#include <QMap>
#include <QMetaEnum>

namespace DragModel {

// How many times each row is stored, by its path (what stays of a row when
// it moves between the bar, a menu and the launch pad).
using Counts = QMap<QString, int>;

// The menus of the bar's MENU icons, in the bar's order.
inline QList<FormMenu *> menus(const Widget &w)
{
    QList<FormMenu *> out;
    for (const DockIconRecord &r : w.iconTable()->rows()) {
        if (FormMenu *m = r.Class == IconClass::MENU ? w.menus()->menu(r.IconID) : nullptr)
            out << m;
    }
    return out;
}

// Every row stored, by path: the bar, the menus of its MENU rows, the launch pad.
// With `problems`, also what of the files is not as it should be: a menu
// without its one BACK row first, or a table in memory that is not its file.
inline Counts stored(const Widget &w, QStringList *problems = nullptr)
{
    Counts c;
    const QList<DockIconRecord> bar = WidgetFixture::savedRows();
    if (problems && bar != w.iconTable()->rows())
        *problems << "the bar holds other rows than its file";
    auto count = [&](const QList<DockIconRecord> &rows) {
        for (const DockIconRecord &r : rows) {
            if (r.Class != IconClass::BACK)
                ++c[r.Path];
        }
    };
    count(bar);
    for (const DockIconRecord &r : bar) {
        if (r.Class != IconClass::MENU)
            continue;
        const QList<DockIconRecord> menu = DockFile::read(FormMenu::menuFilePath(r.IconID));
        int backs = 0;
        for (const DockIconRecord &m : menu)
            backs += m.Class == IconClass::BACK;
        if (problems && (menu.isEmpty() || backs != 1 || menu.first().Class != IconClass::BACK))
            *problems << QString("menu %1 does not start with its one BACK row").arg(r.IconID);
        const FormMenu *m = w.menus()->menu(r.IconID);
        if (problems && m && m->rows() != menu)
            *problems << "menu " + r.IconID + " holds other rows than its file";
        count(menu);
    }
    count(DockFile::read(platform::configPath("LaunchPad.xml")));
    return c;
}

// The tables in memory, for a replay's log.
inline QString describe(const Widget &w, bool withPad)
{
    auto paths = [](const QList<DockIconRecord> &rows) {
        QStringList out;
        for (const DockIconRecord &r : rows)
            out << r.IconID + "=" + r.Path;
        return out.join(' ');
    };
    QString d = "bar [" + paths(w.iconTable()->rows()) + "]";
    if (w.drag()->isDragging())
        d += " (dragging)";
    for (FormMenu *m : menus(w))
        d += QString(" %1%2 [%3]").arg(m->menuId(), m->isDragging() ? "(dragging)" : "", paths(m->rows()));
    if (withPad)
        d += " pad [" + paths(DockFile::read(platform::configPath("LaunchPad.xml"))) + "]";
    return d;
}

// What a sequence must not leave behind: a drag or press still on, a ghost,
// a marker, a gap, a ring.
inline QStringList leftovers(const Widget &w)
{
    QStringList out;
    if (w.drag()->state() != DockDrag::State::Idle)
        out << QString("the bar's drag is %1").arg(QMetaEnum::fromType<DockDrag::State>().valueToKey(int(w.drag()->state())));
    if (!w.bar()->pointer()->isIdle())
        out << "the bar's pointer is not idle";
    if (w.drag()->ghost()->isVisible())
        out << "the bar's ghost shows";
    if (w.drag()->deleteLabel()->isVisible())
        out << "the delete marker shows";
    if (w.drag()->isGapOpen())
        out << "the bar keeps a gap";
    for (FormMenu *m : menus(w)) {
        if (m->isDragging())
            out << "menu " + m->menuId() + " is still dragging";
        if (m->dragGhost()->isVisible())
            out << "menu " + m->menuId() + "'s ghost shows";
    }
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (qobject_cast<FormTimingFlash *>(top) && top->isVisible())
            out << "a long-press ring shows";
    }
    return out;
}

} // namespace DragModel
