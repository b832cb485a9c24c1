#pragma once
// What the launch pad's tests share: the fakes, rows to seed the file with,
// a pad placed and shown, and a pointer that drives the pad's real widgets
// with mouse events as the window system would (the widget pressed keeps
// every move and the release until the buttons are up).
#include "dock/launchpad/formlaunchcommonicon.h"
#include "dock/launchpad/formlaunchstarter.h"
#include "dock/launchpad/launchediting.h"
#include "dock/launchpad/launchdrag.h"
#include "dock/launchpad/launchgrid.h"
#include "dock/launchpad/launchrows.h"
#include "dock/model/dockfile.h"
#include "dock/model/dockiconlist.h"
#include "dock/toast/formsystemhint.h"
#include "fakedesktop.h"
#include "fakedockservices.h"
#include "fakeiconservices.h"
#include "realpointer.h"
#include "testconfig.h"
#include "testenv.h"

#include <QApplication>
#include <QMenu>
#include <QPointer>
#include <QPropertyAnimation>
#include <QTimer>
#include <QtTest>

namespace PadTest {

inline const QString Pic = QStringLiteral(":/image/icon/Finder.png");

// The services every pad test needs, installed while it lives.
struct Services
{
    FakeOpener opener;
    FakeFileIcons fileIcons;
    FakeDialogs dialogs;
    FakeWallpaper wallpaper;
    FakeTrash trash;
};

inline DockIconRecord rec(const QString &id, const QString &name = QString(), const QString &cl = "ICON")
{
    return { id, Pic, name.isEmpty() ? id : name, cl, "/usr/bin/" + id, Pic };
}

inline QList<DockIconRecord> many(int n)
{
    QList<DockIconRecord> rows;
    for (int i = 0; i < n; ++i)
        rows << rec(QStringLiteral("ico%1").arg(i, 4, 10, QLatin1Char('0')));
    return rows;
}

inline QStringList ids(const QList<DockIconRecord> &rows)
{
    QStringList out;
    for (const DockIconRecord &r : rows)
        out << r.IconID;
    return out;
}

inline QList<DockIconRecord> saved()
{
    return DockFile::read(LaunchRows::filePath());
}

inline void writePad(const QList<DockIconRecord> &rows)
{
    QVERIFY(DockFile::write(LaunchRows::filePath(), rows));
}

// A fresh start: no pad file, no settings.
inline void reset()
{
    QFile::remove(LaunchRows::filePath());
    QFile::remove(LaunchRows::filePath() + ".bad");
    TestConfig::reset();
}

// Every slide, flight and fade at its end now.
inline void settle(QWidget &w)
{
    RealPointer::runOutAnimations(&w);
}

// A pad on a screen, shown, its icons in place.
inline void open(FormLaunchStarter &pad, int w = 1920, int h = 1080)
{
    pad.placeOnScreen(0, 0, w, h);
    pad.StartShow();
    QTest::qWait(1); // the window system makes it the active window
    settle(pad);
    // What the pad does a little after opening: the neighbouring pages.
    pad.grid()->setNearPages(1);
    pad.grid()->place();
}

inline FormLaunchCommonIcon *icon(FormLaunchStarter &pad, const QString &id)
{
    return pad.grid()->icon(id);
}

// A point on an icon, dx from its left, a third of the way down (its picture).
inline QPoint on(FormLaunchStarter &pad, const QString &id, int dx)
{
    FormLaunchCommonIcon *i = icon(pad, id);
    return i->mapToGlobal(QPoint(dx, i->height() / 3));
}

inline QString toastText(FormLaunchStarter &pad)
{
    FormSystemHint *t = pad.editing()->toast();
    const QString text = t->isVisible() ? t->text() : QString();
    t->hide();
    return text;
}

// While it lives, closes every pop-up menu as soon as it runs, choosing the
// entry of the text set in choose, if any, and counts the menus.
class Menus
{
public:
    Menus()
    {
        m_timer.setInterval(0);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            if (!menu)
                return;
            ++shown;
            const QString entry = choose;
            choose.clear();
            for (QAction *a : menu->actions()) {
                if (!entry.isEmpty() && a->text() == entry) {
                    ++chosen;
                    menu->setActiveAction(a);
                    QTest::keyClick(menu, Qt::Key_Return);
                    return;
                }
            }
            menu->close();
        });
        m_timer.start();
    }
    int shown = 0;
    int chosen = 0;
    QString choose;

private:
    QTimer m_timer;
};

// The mouse over the pad's window, as X delivers it: a press goes to the
// widget under the pointer, which then gets every move and release until
// no button is down.
class Pointer
{
public:
    explicit Pointer(FormLaunchStarter &pad) : m_pad(pad) {}

    QPoint pos() const { return m_pos; }
    // The widget that has the pointer while a button is down.
    QWidget *grabbed() const { return m_buttons ? m_grab.data() : nullptr; }
    // The widget the last release went to.
    QWidget *lastTarget() const { return m_last; }
    Qt::MouseButtons buttons() const { return m_buttons; }

    QWidget *under(const QPoint &global) const
    {
        QWidget *w = m_pad.childAt(m_pad.mapFromGlobal(global));
        return w ? w : &m_pad;
    }
    void press(const QPoint &global, Qt::MouseButton b = Qt::LeftButton)
    {
        if (m_buttons & b)
            return; // a button held cannot go down again
        m_pos = global;
        if (!m_buttons || !m_grab)
            m_grab = under(global);
        m_buttons |= b;
        send(QEvent::MouseButtonPress, b);
    }
    void move(const QPoint &global)
    {
        m_pos = global;
        if (!m_buttons)
            return; // nothing here tracks a free pointer
        send(QEvent::MouseMove, Qt::NoButton);
    }
    void release(Qt::MouseButton b = Qt::LeftButton)
    {
        if (!(m_buttons & b))
            return;
        m_buttons &= ~Qt::MouseButtons(b);
        send(QEvent::MouseButtonRelease, b);
        if (!m_buttons)
            m_grab = nullptr;
    }
    void click(const QPoint &global, Qt::MouseButton b = Qt::LeftButton)
    {
        press(global, b);
        release(b);
    }
    void doubleClick(const QPoint &global)
    {
        click(global);
        m_grab = under(global);
        m_buttons |= Qt::LeftButton;
        send(QEvent::MouseButtonDblClick, Qt::LeftButton);
        release();
    }
    // A press on an icon that then moves dx, dy: a drag begun.
    void lift(const QPoint &global, const QPoint &by = QPoint(1, 0))
    {
        press(global);
        move(global + by);
    }
    // Another window took the pointer: no release comes.
    void lose()
    {
        m_buttons = Qt::NoButton;
        m_grab = nullptr;
    }

private:
    void send(QEvent::Type type, Qt::MouseButton b)
    {
        QWidget *target = m_grab ? m_grab.data() : under(m_pos);
        m_last = target;
        QMouseEvent e(type, target->mapFromGlobal(m_pos), m_pos, b, m_buttons, Qt::NoModifier);
        QSpontaneKeyEvent::setSpontaneous(&e);
        qApp->notify(target, &e);
    }

    FormLaunchStarter &m_pad;
    QPoint m_pos;
    Qt::MouseButtons m_buttons;
    QPointer<QWidget> m_grab;
    QPointer<QWidget> m_last;
};

// The long press runs out now rather than in 1.5 s.
inline bool hold(FormLaunchStarter &pad)
{
    return RealPointer::runOutTimers(pad.drag()) > 0;
}

// Nothing of a press is left behind: no state, no copy, no hole, no lifted row.
inline bool atRest(FormLaunchStarter &pad, QString *why)
{
    if (pad.drag()->state() != LaunchDrag::State::Idle)
        *why = "the pointer is not idle";
    else if (!pad.drag()->floatingCopy()->isHidden())
        *why = "the floating copy is on screen";
    else if (pad.rows()->isLifted())
        *why = "a row is lifted out of the table";
    else if (pad.rows()->holeRow() >= 0)
        *why = "the hole is still in the table";
    else {
        for (FormLaunchCommonIcon *i : pad.grid()->icons()) {
            if (i->isLifted()) {
                *why = "icon " + i->id() + " is still drawn as lifted";
                break;
            }
        }
    }
    return why->isEmpty();
}

} // namespace PadTest

#define PAD_AT_REST(pad)                                                                                               \
    do {                                                                                                               \
        QString why_;                                                                                                  \
        QVERIFY2(PadTest::atRest(pad, &why_), qPrintable(why_));                                                       \
    } while (0)
