// Hunts for lost and doubled icons: seeded random sequences of what a user
// does with the pointer and the keyboard (presses, long holds, moves over the
// bar, an open menu, the launch pad, its MENU and LAUNCHPAD icons and off the
// bar, right clicks, Esc, wheel turns, releases) drive the real dock window
// offscreen. After each sequence "Zorvane.xml", every menu file and
// "LaunchPad.xml" are read back: every row is stored exactly once, except
// those a deletion gesture took away (a drop off the bar or the menu's band,
// "删除图标", the launch pad's delete badge), which the test tracks as the
// user makes them. No ghost, marker or half-done drag may stay.
//
// Four worlds (one a screen edge) run 2,000 sequences between them, each
// sequence on a locked or an unlocked bar;
// ZV_SOAK=<n> runs n. A failure prints ZV_MODEL_SEED=<world>:<sequence>,
// which replays that world up to that sequence and logs its steps.
#include "dock/launchpad/formlaunchstarter.h"
#include "dock/menus/formmenuicon.h"
#include "dock/window/dockdrag.h"
#include "dock/window/dragtarget.h"
#include "dragmodelchecks.h"
#include "realpointer.h"
#include "testenv.h"
#include "widgetfixture.h"

#include <QAbstractAnimation>
#include <QLoggingCategory>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

#include <random>

namespace {

const QString Pic = QStringLiteral(":/image/icon/Finder.png");

DockIconRecord row(const QString &id, const QString &cl, const QString &path)
{
    return { id, Pic, id + "-name", cl, path, Pic };
}

// The program's own messages go with the steps of the sequence, told only
// when it fails (or is replayed).
bool quiet = true;
QStringList *messages = nullptr;
void filterMessages(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (!quiet || type == QtFatalMsg || type == QtCriticalMsg)
        fprintf(stderr, "%s\n", qPrintable(text));
    else if (messages && type == QtDebugMsg && messages->size() < 4000)
        *messages << "  said: " + text;
}

} // namespace

using DragModel::Counts;

class TestDragModel : public QObject, public WidgetFixture
{
    Q_OBJECT

    // One world: a dock on an edge, and what the test knows of it.
    struct World
    {
        int edge = 2;
        Counts expected;
        int fresh = 0; // rows the test added, for new paths
    };

    std::unique_ptr<Widget> w;
    World world;
    std::mt19937 rng;
    QStringList log;
    bool verbose = false;
    // Paths a gesture of this sequence may have taken away, and how many of each.
    Counts mayGo;
    // The press in progress, as the test made it.
    struct Press
    {
        enum Kind { None, Bar, Menu, Pad, Other } kind = None;
        QString id;         // the bar's or the menu's icon
        QString menu;       // the menu it is in
        // The menu icon's slot and its menu on the screen, as they stood when
        // its drag began: where the user saw it lift.
        QRect icon, strip;
        bool lifted = false;
        QPointer<QWidget> widget; // under the press
        QPoint at;
    } pressed;
    QString rightTarget;   // "bar:<id>", "menu:<menu>:<id>", "pad", "" for a right release
    bool deletionChosen = false;
    QPointer<QWidget> grabbed; // what the first of the buttons held went to
    QPointer<QWidget> reached; // what the last press went to

    // The launch pad as any window: it is driven only through its widgets.
    QWidget *pad() const { return w->launchPad(); }
    int pick(int n) { return n <= 1 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(rng); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng) < p; }
    void note(const QString &s)
    {
        log << s;
        if (verbose)
            fprintf(stderr, "  step: %s\n", qPrintable(s));
    }

    // ---- the world ---------------------------------------------------------

    static QList<DockIconRecord> barRows()
    {
        return { row("icoA", "ICON", "/opt/a"), row("icoB", "ICON", "/opt/b"), row("ico1001", "MENU", "menu-1"),
                 row("icoC", "FOLDER", "/opt/c"), row("icoS", "BLANK", "blank-1"), row("icoL", "LAUNCHPAD", "pad-1"),
                 row("icoD", "URL", "http://d.example/"), row("ico1002", "MENU", "menu-2"),
                 row("icoE", "RECYCLE", "bin-1"), row("icoF", "ICON", "/opt/f") };
    }
    static QList<DockIconRecord> menuRows(int n)
    {
        QList<DockIconRecord> rows { FormMenu::backRow() };
        for (int i = 0; i < 3; ++i)
            rows << row(QString("icoM%1%2").arg(n).arg(i), "ICON", QString("/opt/m%1/%2").arg(n).arg(i));
        return rows;
    }

    void makeWorld(int index)
    {
        // The fakes of the last world go before the new ones come: each
        // stands in for its service until it goes.
        w.reset();
        tearDownFakes();
        setUpFakes();
        world = World();
        world.edge = index % 4;
        writeDock(barRows());
        DockFile::write(FormMenu::menuFilePath("ico1001"), menuRows(1));
        DockFile::write(FormMenu::menuFilePath("ico1002"), menuRows(2));
        // The launch pad's own rows: plain icons only (no tool of its presets
        // opens anything, the weather no network).
        QList<DockIconRecord> pad;
        for (int i = 0; i < 14; ++i)
            pad << row(QString("icoP%1").arg(i), i % 3 ? "ICON" : "FOLDER", QString("/opt/pad/%1").arg(i));
        DockFile::write(platform::configPath("LaunchPad.xml"), pad);
        setting("System/Location", world.edge);
        w.reset(new Widget);
        // Nothing of the start-up's later work (the update check, the autostart prompt).
        for (QTimer *t : w->findChildren<QTimer *>()) {
            if (t->isSingleShot() && t->interval() >= 20000)
                t->stop();
        }
        QTRY_VERIFY(w->autoHide()->isDockShown());
        world.expected = stored();
        // The dock's bar above the launch pad, pop-ups above all.
        RealPointer::setStacking([this](QWindow *win) {
            if (win->type() == Qt::Popup)
                return 0;
            if (win == w->windowHandle())
                return 1;
            return win == this->pad()->windowHandle() ? 3 : 2;
        });
        RealPointer::setInputShapes([this](QWindow *win, const QPoint &p) {
            for (auto it = wins->regions.cbegin(); it != wins->regions.cend(); ++it) {
                if (it.key()->windowHandle() == win)
                    return it.value().contains(it.key()->mapFromGlobal(p));
            }
            return true;
        });
    }

    Counts stored(QStringList *problems = nullptr) const { return DragModel::stored(*w, problems); }

    // The rows of a menu, for a gesture that takes the whole menu with its icon.
    void mayLoseMenu(const QString &menuId)
    {
        QSet<QString> paths;
        for (const DockIconRecord &r : DockFile::read(FormMenu::menuFilePath(menuId)))
            paths << r.Path;
        if (FormMenu *m = w->menus()->menu(menuId))
            for (const DockIconRecord &r : m->rows())
                paths << r.Path;
        for (const QString &p : qAsConst(paths))
            ++mayGo[p];
    }
    void mayLose(const DockIconRecord &r)
    {
        ++mayGo[r.Path];
        if (r.Class == IconClass::MENU)
            mayLoseMenu(r.IconID);
    }
    // What a deletion the user chose took away: whatever left the files in
    // that one step (an icon, or a MENU icon with its menu).
    void lostSince(const Counts &before)
    {
        const Counts now = stored();
        for (auto it = before.cbegin(); it != before.cend(); ++it) {
            if (now.value(it.key()) < it.value())
                mayGo[it.key()] += it.value() - now.value(it.key());
        }
    }

    // A short bar or menu gets rows again, through the dock's own adding.
    void replenish()
    {
        if (w->iconTable()->rowCount() < 6) {
            const QString path = QString("/opt/new/%1").arg(++world.fresh);
            w->AddIcon(Pic, "new", "ICON", path);
            ++world.expected[path];
        }
        for (FormMenu *m : menus()) {
            if (m->rows().size() < 3) {
                const QString path = QString("/opt/new/%1").arg(++world.fresh);
                if (m->AddIcon(Pic, "new", "ICON", path))
                    ++world.expected[path];
            }
        }
        takeToast(*w);
    }

    // ---- where the pointer goes ----------------------------------------------

    QList<FormMenu *> menus() const { return DragModel::menus(*w); }
    QRect barZone() const
    {
        QFrame *b = frame(*w, "frameBackground");
        return QRect(b->mapToGlobal(QPoint(0, 0)), b->size());
    }
    QPoint onIcon(const QString &id)
    {
        const QRect r = w->bar()->iconRectOnScreen(id);
        return r.topLeft() + QPoint(1 + pick(qMax(1, r.width() - 2)), 1 + pick(qMax(1, r.height() - 2)));
    }
    QList<FormMenu *> shownMenus() const
    {
        QList<FormMenu *> out;
        for (FormMenu *m : menus()) {
            if (m->isVisible())
                out << m;
        }
        return out;
    }
    QList<QWidget *> padIcons() const
    {
        QList<QWidget *> out;
        if (!pad()->isVisible())
            return out;
        for (QWidget *c : pad()->findChildren<QWidget *>()) {
            if (QByteArray(c->metaObject()->className()) == "FormLaunchCommonIcon" && c->isVisible()
                && pad()->rect().intersects(QRect(c->mapTo(pad(), QPoint()), c->size())))
                out << c;
        }
        return out;
    }
    QList<QPushButton *> deleteBadges() const
    {
        QList<QPushButton *> out;
        for (QWidget *icon : padIcons()) {
            if (auto *b = icon->findChild<QPushButton *>("deleteButton"); b && b->isVisible())
                out << b;
        }
        return out;
    }
    static QPoint centre(const QWidget *wd) { return wd->mapToGlobal(wd->rect().center()); }

    // A place for the pointer, by what lies there; always on the screen.
    QPoint somewhere(QString *what)
    {
        const QPoint p = anywhere(what);
        return QPoint(qBound(0, p.x(), 1279), qBound(0, p.y(), 799));
    }
    QPoint anywhere(QString *what)
    {
        const QStringList ids = w->bar()->ids();
        const QList<FormMenu *> menus = shownMenus();
        const QList<QWidget *> pad = padIcons();
        for (;;) {
            switch (pick(8)) {
            case 0:
            case 1: { // a bar icon
                const QString id = ids.value(pick(ids.size()));
                if (id.isEmpty() || w->bar()->isIconHidden(id))
                    continue;
                *what = "bar " + id;
                return onIcon(id);
            }
            case 2: { // the MENU or LAUNCHPAD icons
                QStringList special;
                for (const DockIconRecord &r : w->iconTable()->rows())
                    if (r.Class == IconClass::MENU || r.Class == IconClass::LAUNCHPAD)
                        special << r.IconID;
                if (special.isEmpty())
                    continue;
                const QString id = special.at(pick(special.size()));
                *what = "bar " + id;
                return onIcon(id);
            }
            case 3: { // an open menu
                if (menus.isEmpty())
                    continue;
                FormMenu *m = menus.at(pick(menus.size()));
                QList<FormMenuIcon *> icons;
                for (const DockIconRecord &r : m->rows())
                    if (FormMenuIcon *i = m->iconWidget(r.IconID); i && i->isVisible())
                        icons << i;
                if (icons.isEmpty())
                    continue;
                FormMenuIcon *i = icons.at(pick(icons.size()));
                *what = "menu " + m->menuId() + " " + i->id();
                return centre(i->pictureFrame()) + QPoint(pick(9) - 4, pick(9) - 4);
            }
            case 4: { // the launch pad
                if (pad.isEmpty())
                    continue;
                QWidget *i = pad.at(pick(pad.size()));
                *what = "pad icon";
                return centre(i) + QPoint(pick(21) - 10, pick(21) - 20);
            }
            case 5: { // just beside the bar, across it
                const QRect z = barZone();
                const int d = 10 + pick(60);
                *what = "beside the bar";
                switch (w->barLayout()->now().edge) {
                case 0: return QPoint(z.x() + pick(z.width()), z.bottom() + d);
                case 1: return QPoint(z.left() - d, z.y() + pick(z.height()));
                case 3: return QPoint(z.right() + d, z.y() + pick(z.height()));
                default: return QPoint(z.x() + pick(z.width()), z.top() - d);
                }
            }
            case 7: { // back where the press began: the icon home again
                if (!(RealPointer::held() & Qt::LeftButton))
                    continue;
                *what = "where the press began";
                return pressed.at + QPoint(pick(5) - 2, pick(5) - 2);
            }
            default: { // anywhere on the screen
                *what = "screen";
                return QPoint(20 + pick(1240), 20 + pick(760));
            }
            }
        }
    }

    // ---- what the user does ----------------------------------------------

    // Every context menu that opens: "删除图标" (or, on the launch pad,
    // "编辑图标"), or away with Esc.
    bool eventFilter(QObject *o, QEvent *e) override
    {
        // What a press really reached (the first widget it is offered to):
        // icons that slide move under the pointer between one event and the next.
        if ((e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick) && o->isWidgetType()
            && !reached)
            reached = static_cast<QWidget *>(o);
        if (e->type() == QEvent::Show && o->isWidgetType() && static_cast<QWidget *>(o)->isWindow()) {
            if (auto *menu = qobject_cast<QMenu *>(o))
                QTimer::singleShot(0, this, [this, menu = QPointer<QMenu>(menu)] { answer(menu); });
        }
        return QObject::eventFilter(o, e);
    }
    void answer(QMenu *menu)
    {
        if (!menu || !menu->isVisible())
            return;
        const bool remove = chance(0.35);
        const bool edit = chance(0.5);
        QAction *chosen = nullptr;
        for (QAction *a : menu->actions()) {
            if ((remove && a->text().startsWith("删除图标"))
                || (edit && rightTarget == "pad" && a->text().startsWith("编辑图标")))
                chosen = a;
        }
        if (!chosen) {
            note("popup closed");
            RealPointer::key(Qt::Key_Escape);
            return;
        }
        note("popup: " + chosen->text().trimmed() + " (" + rightTarget + ")");
        deletionChosen = deletionChosen || chosen->text().startsWith("删除图标");
        RealPointer::click(menu->mapToGlobal(menu->actionGeometry(chosen).center()));
    }

    // A right click is the press's: the release goes where the button went down.
    void rightPress(const QPoint &at)
    {
        // With a button down already the window system gives it to that one's widget.
        const bool first = !RealPointer::held();
        reached = nullptr;
        RealPointer::press(at, Qt::RightButton);
        if (first)
            grabbed = reached;
        rightTarget = targetOf(grabbed, at);
    }
    void rightRelease(const QPoint &at)
    {
        const Counts before = stored();
        deletionChosen = false;
        RealPointer::release(at, Qt::RightButton);
        if (deletionChosen)
            lostSince(before);
        deletionChosen = false;
    }

    // What the pointer reaches at a point, by the widget under it:
    // "bar:<id>", "menu:<menu>:<id>", "pad", or "" for anything else.
    QString targetOf(QWidget *under, const QPoint &p)
    {
        for (QWidget *wd = under; wd; wd = wd->parentWidget()) {
            if (wd == w->bar()) {
                const QString id = w->bar()->iconAt(w->bar()->mapFromGlobal(p));
                return id.isEmpty() ? QString() : "bar:" + id;
            }
            if (auto *icon = qobject_cast<FormMenuIcon *>(wd)) {
                auto *m = qobject_cast<FormMenu *>(icon->parentWidget());
                return m ? "menu:" + m->menuId() + ":" + icon->id() : QString();
            }
            if (wd == pad())
                return "pad";
        }
        return QString();
    }

    void leftPress(const QPoint &p)
    {
        // With a button down already, the window system gives the press to
        // the widget that one went to.
        const bool first = !RealPointer::held();
        reached = nullptr;
        RealPointer::press(p);
        pressed = Press();
        pressed.widget = first ? reached : grabbed;
        pressed.at = p;
        if (first)
            grabbed = reached;
        note(QString("  pressed %1 in %2").arg(pressed.widget ? pressed.widget->metaObject()->className() : "nothing",
                                                 pressed.widget ? pressed.widget->window()->metaObject()->className() : ""));
        const QStringList t = targetOf(pressed.widget, p).split(':');
        pressed.kind = t.first() == "bar" ? Press::Bar
            : t.first() == "menu"         ? Press::Menu
            : t.first() == "pad"          ? Press::Pad
                                          : Press::Other;
        if (pressed.kind == Press::Menu) {
            pressed.menu = t.value(1);
            pressed.id = t.value(2);
        }
    }

    // A menu drag that began in this step: where its icon and menu stood.
    void noteLift()
    {
        FormMenu *m = pressed.kind == Press::Menu ? w->menus()->menu(pressed.menu) : nullptr;
        if (!m || !m->isDragging() || pressed.lifted)
            return;
        pressed.lifted = true;
        FormMenuIcon *i = m->iconWidget(pressed.id);
        // Its slot: it may have been lifted while still sliding in.
        pressed.icon = i ? QRect(m->mapToGlobal(i->shownPoint()), i->size()) : QRect();
        pressed.strip = m->screenRect();
    }

    QRect stripOnScreen() const
    {
        return QRect(w->bar()->mapToGlobal(w->bar()->stripRect().topLeft()), w->bar()->stripRect().size());
    }

    // The end of a left press, and what the oracle expects of its drop. The
    // bar may be laid out again while the drop is under way (a relayout
    // that was due): a drop the places before or after it would delete may
    // delete.
    void leftRelease(const QPoint &p)
    {
        // The pointer comes to the release's place first (which may start a drag).
        RealPointer::moveTo(p);
        noteLift();
        const int n = int(w->barLayout()->now().size);
        // A bar icon dragged: dropped off the bar, it is deleted.
        DockIconRecord barDragged;
        if (w->drag()->isDragging()) {
            for (const DockIconRecord &r : w->drag()->storedRows())
                if (r.IconID == w->bar()->pointer()->pressedId())
                    barDragged = r;
        }
        const bool offBar = !DragTarget::onBar(p, barZone(), n);
        // A menu icon dragged: dropped off its band and not onto the bar, it is deleted.
        FormMenu *m = pressed.kind == Press::Menu ? w->menus()->menu(pressed.menu) : nullptr;
        DockIconRecord menuDragged;
        bool offBand = false;
        if (m && m->isDragging() && pressed.lifted) {
            for (const DockIconRecord &r : DockFile::read(FormMenu::menuFilePath(pressed.menu)))
                if (r.IconID == pressed.id)
                    menuDragged = r;
            const QRect &s = pressed.strip, &i = pressed.icon;
            const int edge = m->dockEdge(); // the menu turns with the bar (the bottom under the launch pad)
            const bool horizontal = edge == 0 || edge == 2;
            const bool inBand = horizontal ? p.x() > i.x() && p.x() < i.x() + i.width() && p.y() > s.y()
                                                 && p.y() < s.y() + s.height()
                                           : p.x() > s.x() && p.x() < s.x() + s.width() && p.y() > i.y()
                                                 && p.y() < i.y() + i.height();
            const bool beyond = edge == 0 ? p.y() < s.y()
                : edge == 1               ? p.x() > s.x() + s.width()
                : edge == 3               ? p.x() < s.x()
                                          : p.y() > s.y() + s.height();
            offBand = !inBand && !beyond;
            note(QString("  drop of %1 from menu %2: in band %3, beyond %4")
                     .arg(menuDragged.Path, pressed.menu).arg(inBand).arg(beyond));
            if (inBand)
                menuDragged = DockIconRecord();
        }
        const bool onStrip = DragTarget::onBar(p, stripOnScreen(), n);
        // A click on a launch-pad icon's delete badge deletes it.
        const bool badge = pressed.widget && pressed.widget->objectName() == QLatin1String("deleteButton");
        const Counts before = badge ? stored() : Counts();
        RealPointer::release(p);
        if (badge)
            lostSince(before);
        if (!barDragged.IconID.isEmpty() && (offBar || !DragTarget::onBar(p, barZone(), n)))
            mayLose(barDragged);
        if (!menuDragged.IconID.isEmpty()
            && (offBand || !onStrip || !DragTarget::onBar(p, stripOnScreen(), n)))
            mayLose(menuDragged);
        pressed = Press();
    }

    enum class Action { Press, Hold, Move, Release, Right, Esc, Wheel, Badge, HotKey, Pause };
    // What the user does next, by weight, among what can be done now.
    Action nextAction(Qt::MouseButtons held)
    {
        const bool left = held & Qt::LeftButton;
        // An icon a menu handed to the bar: the bar opens its gap in its own
        // time, and a user who waits for it sees the bar move under the menu.
        bool handedOver = false;
        for (FormMenu *m : menus())
            handedOver = handedOver || m->dragState() == FormMenu::DragState::HandedOver;
        const QList<QPair<Action, int>> weights {
            { Action::Press, left ? 0 : 160 }, { Action::Hold, left ? 140 : 0 }, { Action::Move, 320 }, { Action::Release, left ? 120 : 0 },
            { Action::Right, 70 }, { Action::Esc, 35 }, { Action::Wheel, 35 }, { Action::Badge, held ? 0 : 20 }, { Action::HotKey, held ? 0 : 6 },
            { Action::Pause, handedOver ? 120 : left ? 3 : 1 } };
        int total = 0;
        for (const auto &a : weights)
            total += a.second;
        int r = pick(total);
        for (const auto &a : weights) {
            if (r < a.second)
                return a.first;
            r -= a.second;
        }
        return Action::Move;
    }

    void step()
    {
        const Qt::MouseButtons held = RealPointer::held();
        const QPoint at = QCursor::pos();
        QString what;
        switch (nextAction(held)) {
        case Action::Press: {
            const QPoint p = somewhere(&what);
            note(QString("left press on %1 at %2,%3").arg(what).arg(p.x()).arg(p.y()));
            leftPress(p);
            break;
        }
        case Action::Hold:
            // A long hold: the hold timers of what is pressed run out.
            note("long hold");
            for (QWidget *wd = pressed.widget; wd && !wd->isWindow(); wd = wd->parentWidget()) {
                if (RealPointer::runOutTimers(wd))
                    break;
            }
            break;
        case Action::Move: {
            const QPoint p = somewhere(&what);
            note(QString("move to %1 at %2,%3").arg(what).arg(p.x()).arg(p.y()));
            RealPointer::moveTo(p);
            break;
        }
        case Action::Release:
            note(QString("left release at %1,%2").arg(at.x()).arg(at.y()));
            leftRelease(at);
            break;
        case Action::Right:
            if (held & Qt::RightButton) {
                note("right release");
                rightRelease(at);
            } else {
                note("right press");
                rightPress(at);
            }
            break;
        case Action::Esc:
            note("Esc");
            RealPointer::key(Qt::Key_Escape);
            break;
        case Action::Wheel:
            note("wheel");
            RealPointer::wheel(at, chance(0.5) ? 1 : -1);
            break;
        case Action::Badge: {
            const QList<QPushButton *> badges = deleteBadges();
            if (badges.isEmpty())
                break;
            note("delete badge");
            const Counts before = stored();
            RealPointer::click(centre(badges.at(pick(badges.size()))));
            lostSince(before);
            break;
        }
        case Action::HotKey:
            note("launch pad by its hot key");
            w->showLaunchStarter();
            break;
        case Action::Pause:
            // A user who takes their time: glides and slides come to an end
            // (however long the machine takes for them).
            note("pause");
            if (!QTest::qWaitFor([this] { return settled(); }, 5000))
                note("  still moving after the pause");
            break;
        }
    }

    // Nothing of the dock on its way: no glide, slide or grow of the bar, its
    // menus, the launch pad or a ghost, and no relayout waiting.
    bool settled() const
    {
        if (w->bar()->isAnimating() || w->autoHide()->isSlidingOut()
            || w->autoHide()->isSlidIn() != w->autoHide()->isDockShown())
            return false;
        for (QObject *root : { static_cast<QObject *>(w.get()), static_cast<QObject *>(pad()),
                               static_cast<QObject *>(w->drag()->ghost()) }) {
            for (QAbstractAnimation *a : root->findChildren<QAbstractAnimation *>())
                if (a->state() == QAbstractAnimation::Running)
                    return false;
        }
        for (FormMenu *m : menus()) {
            for (QAbstractAnimation *a : m->dragGhost()->findChildren<QAbstractAnimation *>())
                if (a->state() == QAbstractAnimation::Running)
                    return false;
        }
        return true;
    }

    // ---- the checks ------------------------------------------------------

    QString describe() const { return DragModel::describe(*w, verbose); }
    QStringList leftovers() const { return DragModel::leftovers(*w); }

    // The end of a sequence: every button let go, every pop-up away, and the files read back.
    bool finish(QString *why)
    {
        if (RealPointer::held() & Qt::LeftButton) {
            note("left release at the end");
            leftRelease(QCursor::pos());
        }
        if (RealPointer::held() & Qt::RightButton) {
            note("right release at the end");
            rightRelease(QCursor::pos());
        }
        RealPointer::releaseAll();
        // The ghosts shrink away in their own time: that time passes now.
        RealPointer::runOutAnimations(w->drag()->ghost());
        for (FormMenu *m : menus())
            RealPointer::runOutAnimations(m->dragGhost());
        QStringList problems = leftovers();
        const Counts now = stored(&problems);
        const QSet<QString> all = QSet<QString>(world.expected.keyBegin(), world.expected.keyEnd())
                                      .unite(QSet<QString>(now.keyBegin(), now.keyEnd()));
        for (const QString &path : all) {
            const int want = world.expected.value(path), got = now.value(path);
            if (got == want)
                continue;
            if (got < want && want - got <= mayGo.value(path))
                continue;
            problems << QString("%1 stored %2 times, not %3%4").arg(path).arg(got).arg(want)
                            .arg(mayGo.value(path) ? QString(" (%1 may have gone)").arg(mayGo.value(path)) : QString());
        }
        world.expected = now;
        mayGo.clear();
        *why = problems.join("; ");
        return problems.isEmpty();
    }

    bool runSequence(int worldIndex, int index)
    {
        rng.seed(quint32(worldIndex) * 1000003u + quint32(index));
        log.clear();
        messages = &log;
        pressed = Press();
        replenish();
        const bool locked = chance(0.5);
        DockSettings::instance()->setLocking(locked);
        note(locked ? "locked" : "not locked");
        // Each sequence starts plain, with a menu open or with the launch pad shown.
        const int start = pick(3);
        const QList<FormMenu *> all = menus();
        if (start == 1 && !all.isEmpty()) {
            const QString id = all.at(pick(all.size()))->menuId();
            note("open menu " + id);
            RealPointer::click(onIcon(id));
        } else if (start == 2 && !pad()->isVisible()) {
            note("launch pad shown");
            w->showLaunchStarter();
        }
        const int steps = 1 + pick(30);
        for (int i = 0; i < steps; ++i) {
            step();
            noteLift();
            note("  now: " + describe());
        }
        QString why;
        const bool ok = finish(&why);
        messages = nullptr;
        if (ok)
            return true;
        fprintf(stderr, "%s\n",
                qPrintable(QString("model: world %1 sequence %2: %3\n  replay: ZV_MODEL_SEED=%1:%2\n  steps:\n    %4")
                               .arg(worldIndex).arg(index).arg(why, log.join("\n    "))));
        return false;
    }

private slots:
    void initTestCase()
    {
        // The program's debug messages are quiet unless asked for.
        QLoggingCategory::setFilterRules(QStringLiteral("zorvane.*.debug=true"));
        qInstallMessageHandler(filterMessages);
        qApp->installEventFilter(this);
    }
    void cleanupTestCase()
    {
        w.reset();
        RealPointer::setInputShapes(nullptr);
        RealPointer::setStacking(nullptr);
        tearDownFakes();
        qInstallMessageHandler(nullptr);
        qApp->removeEventFilter(this);
        QLoggingCategory::setFilterRules(QString());
    }

    void everyRowStaysStoredOnce()
    {
        const int worlds = 4;
        const int total = qMax(worlds, qEnvironmentVariableIntValue("ZV_SOAK"));
        const int perWorld = (qMax(2000, total) + worlds - 1) / worlds;
        const QStringList replay = qEnvironmentVariable("ZV_MODEL_SEED").split(':');
        int failures = 0;
        for (int k = 0; k < worlds && failures == 0; ++k) {
            if (replay.size() == 2 && replay.first().toInt() != k)
                continue;
            const int last = replay.size() == 2 ? replay.last().toInt() : perWorld - 1;
            makeWorld(k);
            for (int i = 0; i <= last && failures == 0; ++i) {
                verbose = replay.size() == 2 && i == last;
                quiet = !verbose;
                if (!runSequence(k, i))
                    ++failures;
            }
            quiet = true;
        }
        QCOMPARE(failures, 0);
    }
};

ZV_TEST_MAIN(TestDragModel)
#include "tst_dragmodel.moc"
