#include "barlayout.h"

#include "backgroundstyle.h"
#include "docklayout.h"
#include "common/logging.h"
#include "dock/icons/barpointer.h"
#include "dock/model/dockicon.h"
#include "dock/model/dockiconlist.h"

#include <QCoreApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPropertyAnimation>
#include <QTimer>
#include <QWidget>

namespace {
// How near the pointer the input shape is always exact, and how long the
// icons stand still before it is exact everywhere.
constexpr int ExactAround = 32;
// The room given around what outgrows the shape.
constexpr int GrowRoom = 64;
constexpr int ShapeSettleMs = 120;

// A widget given the geometry it has still has its parent's opaque areas
// worked out again at the next paint: the relayout of every pointer move
// sets only what changed.
void resizeTo(QWidget *w, const QSize &s)
{
    if (w->size() != s)
        w->resize(s);
}

void moveTo(QWidget *w, const QPoint &p)
{
    if (w->pos() != p)
        w->move(p);
}

} // namespace

BarLayout::BarLayout(DockIconList *icons, DockBar *bar, DockSettings *settings, const Frames &frames,
                     QObject *parent)
    : QObject(parent),
      m_icons(icons),
      m_bar(bar),
      m_settings(settings),
      m_f(frames),
      m_place({ frames.window, frames.main, frames.frameMain, frames.background, frames.work, frames.strip }),
      m_relayoutTimer(new QTimer(this)),
      m_shapeSettles(new QTimer(this))
{
    m_relayoutTimer->setSingleShot(true);
    connect(m_relayoutTimer, &QTimer::timeout, this, &BarLayout::relayout);
    m_shapeSettles->setSingleShot(true);
    m_shapeSettles->setInterval(ShapeSettleMs);
    connect(m_shapeSettles, &QTimer::timeout, this, [this] { sendInputShape(true); });
    m_bar->installEventFilter(this);
    connect(m_bar, &DockBar::rowsChanged, this, &BarLayout::requestRelayout);
    // The frame's picture takes what was laid out and the shape of what it shows.
    connect(m_bar, &DockBar::aboutToPaint, this, [this] {
        relayoutIfPending();
        sendInputShape();
    });
    m_now.edge = m_settings->location();
    m_now.margin = m_settings->margin();
    m_now.size = float(m_settings->icoSize());
    m_now.magnified = float(m_settings->icoScale()) + m_now.size;
    connect(m_settings, &DockSettings::changed, this, &BarLayout::settingChanged);
}

BarLayout::~BarLayout() = default;

void BarLayout::settingChanged(DockSettings::Key key)
{
    using Key = DockSettings::Key;
    const DockSettings &s = *m_settings;
    switch (key) {
    case Key::screen: setScreen(s.screen()); break;
    case Key::margin: setMargin(s.margin()); break;
    case Key::location: setEdge(s.location()); break;
    case Key::level: setLevel(s.level()); break;
    // The magnified size is the normal one and what the setting adds to it.
    case Key::icoSize:
        setIconSize(s.icoSize());
        setScale(s.icoScale());
        break;
    case Key::icoScale: setScale(s.icoScale()); break;
    case Key::click: setClick(s.click()); break;
    case Key::backgroundStyle:
    case Key::transparentBackground: applyBackground(); break;
    default: break;
    }
}

// ---- the icons' sizes and the row ------------------------------------------

void BarLayout::placeIcons()
{
    m_bar->setEdge(m_now.edge);
    m_bar->setIconSizes(m_now.magnified, m_now.size);
    m_bar->setDoubleClick(m_settings->iconDoubleClick());
    m_bar->setClickStyle(m_settings->click());
    relayout();
}

void BarLayout::restSizes()
{
    m_now.size = float(m_settings->icoSize());
    m_bar->setIconSizes(m_now.magnified, m_now.size);
}

void BarLayout::rebuild()
{
    restSizes();
    placeIcons();
}

void BarLayout::applySizes()
{
    const int n = int(m_now.size);
    m_bar->setIconSizes(m_now.magnified, m_now.size);
    emit iconSizeChanged(n);
}

void BarLayout::relayout()
{
    const int rows = m_icons->rowCount();
    int blanks = 0;
    for (int r = 0; r < rows; ++r) {
        if (IconClasses::of(m_icons->at(r).Class).face == IconFace::Separator)
            ++blanks;
    }
    const QSize row = m_bar->layoutRow();
    const bool horizontal = DockLayout::isHorizontal(m_now.edge);
    // The free part of the screen the bar stands on, not the window, which
    // may not cover it yet (the first layout runs before the window is
    // placed). The icons grown under the pointer must fit in it too.
    const DockLayout::Fit fit = DockLayout::fitCheck(m_now.size, rows, blanks, freeSpan().length, m_now.magnified);
    if (fit.overflow) {
        qCDebug(lcBar) << (horizontal ? "横向图标超出窗体" : "纵向图标超出窗体");
        setTemporaryIconSize(fit.size);
    }
    sizeBar(row.width(), row.height());
    emit relaidOut();
    // A strip that is out (the pointer is elsewhere) follows the bar's length.
    if (!m_f.strip->isHidden())
        placeFrames();
}

void BarLayout::requestRelayout()
{
    // Every icon that changes size on a move asks: one relayout answers all.
    if (!m_relayoutTimer->isActive())
        m_relayoutTimer->start(1);
}

void BarLayout::relayoutIfPending()
{
    if (!m_relayoutTimer->isActive())
        return;
    m_relayoutTimer->stop();
    relayout();
}

void BarLayout::sizeBar(int a, int b)
{
    const int edge = m_now.edge;
    if (edge < 0 || edge > 3)
        return;
    QWidget *window = m_f.window;
    const int W = window->width(), H = window->height();
    const DockLayout::BarSizes s = DockLayout::barSizes(edge, a, b, W, H, m_now.magnified,
                                                        int(m_now.size), m_settings->icoSize(),
                                                        m_backgroundSide);
    resizeTo(m_f.main, s.main);
    resizeTo(m_f.frameMain, s.main);
    if (m_bar->geometry() != QRect(QPoint(0, 0), s.main))
        m_bar->setGeometry(QRect(QPoint(0, 0), s.main));
    resizeTo(m_f.area, QSize(W, H));
    // A running slide of the area ends where it should; the relayout does not cut it short.
    if (!m_frameAreaAnimation)
        moveTo(m_f.area, DockLayout::frameAreaPoint(edge, m_frameAreaShown, m_f.area->size()));
    resizeTo(m_f.background, s.background);

    const bool horizontal = DockLayout::isHorizontal(edge);
    const int L = freeSpan().length;
    const int f = horizontal ? s.frameIco.width() : s.frameIco.height();
    const int g = horizontal ? s.background.width() : s.background.height();
    // Only a row longer than the free part of the screen follows the
    // pointer; asking for the pointer costs a round trip to the display, so
    // only then.
    int c = 0, wx = 0, bx = 0;
    if (L < f) {
        const QPoint cursor = QCursor::pos();
        c = horizontal ? cursor.x() : cursor.y();
        wx = horizontal ? window->x() : window->y();
        bx = horizontal ? m_f.background->x() : m_f.background->y();
    }
    const DockLayout::Along along = DockLayout::alongPlace(freeSpan(), f, g, c, wx, bx);
    if (horizontal) {
        m_bar->setStripRect(QRect(QPoint(along.ico, s.icoAcross), s.frameIco));
        moveTo(m_f.background, QPoint(along.background, s.backgroundAcross));
    } else {
        m_bar->setStripRect(QRect(QPoint(s.icoAcross, along.ico), s.frameIco));
        moveTo(m_f.background, QPoint(s.backgroundAcross, along.background));
    }
    m_bar->setBackgroundRect(m_f.background->geometry());
    updateInputShape();
}

DockLayout::Span BarLayout::freeSpan() const
{
    const QRect screen = m_place.screen().isValid() ? m_place.screen() : DockPlacement::screenRect(m_settings->screen());
    const QRect available = m_place.available().isValid() ? m_place.available() : screen;
    return DockLayout::freeSpan(m_now.edge, screen, available);
}

std::optional<QPoint> BarLayout::reach(const QPoint &global) const
{
    const QPoint local = m_bar->mapFromGlobal(global);
    if (barRegion().contains(global - m_f.window->pos()))
        return local;
    if (m_f.main->isHidden() || !(m_o.barOnScreen && m_o.barOnScreen()))
        return std::nullopt;
    // Along the row from its first icon to its last, no deeper than the
    // magnified icons: there the icon at that place grows under the pointer.
    const bool horizontal = DockLayout::isHorizontal(m_now.edge);
    const QRect strip = m_bar->stripRect();
    for (const QString &id : m_bar->ids()) {
        if (m_bar->isIconHidden(id))
            continue;
        const QRect icon = m_bar->iconRect(id);
        const QRect column = horizontal ? QRect(icon.x(), strip.y(), icon.width(), strip.height())
                                        : QRect(strip.x(), icon.y(), strip.width(), icon.height());
        if (column.contains(local))
            return horizontal ? QPoint(local.x(), qBound(icon.top(), local.y(), icon.bottom()))
                              : QPoint(qBound(icon.left(), local.x(), icon.right()), local.y());
    }
    return std::nullopt;
}

// ---- the screen, the edge and the level ------------------------------------

void BarLayout::setScreen(int screen)
{
    const QRect free = m_place.available();
    m_place.moveToScreen(screen);
    emit screenChanged(m_place.screen());
    placeFrames();
    // A panel that came or went changes the room the row has.
    if (m_place.available() != free)
        requestRelayout();
}

void BarLayout::takeAvailable()
{
    const QRect free = m_place.available();
    m_place.takeAvailable(m_settings->screen());
    if (m_place.available() != free)
        requestRelayout();
}

void BarLayout::setMargin(int margin)
{
    m_now.margin = margin;
    takeAvailable();
    placeFrames();
}

void BarLayout::placeFrames()
{
    m_place.placeBar(m_now.edge, m_now.margin, m_now.magnified,
                     m_o.launchPadOpen && m_o.launchPadOpen());
    updateInputShape();
}

void BarLayout::setEdge(int edge)
{
    setScreen(m_settings->screen());
    if (edge < 0 || edge > 3)
        return;
    if (edge != m_now.edge) {
        m_now.edge = edge;
        emit rebuildRequested();
        takeAvailable();
        placeFrames();
    }
    applyBackground();
    // The size the user chose: one the row took to fit the old edge is the
    // old edge's affair, and the new one checks the fit again.
    setIconSize(m_settings->icoSize());
    emit edgeChanged(m_now.edge);
}

void BarLayout::applyLevel(int level)
{
    if (!DockPlacement::levelOf(level))
        return;
    DockPlacement::applyLevel(m_f.window, level);
    qCDebug(lcBar) << "层级" << level;
}

void BarLayout::setLevel(int level)
{
    DockPlacement::applyLevel(m_f.window, level);
}

// ---- sizes and clicks ------------------------------------------------------

void BarLayout::setIconSize(int size)
{
    m_now.size = float(qMax(1, size));
    applySizes();
    requestRelayout();
}

void BarLayout::setTemporaryIconSize(int size)
{
    m_now.size = float(qMax(1, size));
    applySizes();
    requestRelayout();
}

void BarLayout::setScale(int grow)
{
    m_now.magnified = float(grow) + m_now.size;
    m_bar->setIconSizes(m_now.magnified, m_now.size);
    takeAvailable();
    placeFrames();
    requestRelayout();
}

void BarLayout::setClick(int style)
{
    qCDebug(lcBar) << "点击特效" << style;
    m_bar->setClickStyle(style);
}

// ---- the background --------------------------------------------------------

void BarLayout::applyBackground()
{
    const BackgroundStyle::Look l = BackgroundStyle::look(m_settings->backgroundStyle(),
                                                          m_settings->transparentBackground(), m_now.edge);
    if (l.inset)
        m_backgroundSide = *l.inset;
    m_backdrop.apply(l);
    m_bar->setBackground(m_backdrop.background());
    requestRelayout();
}

// ---- the settings' panel area ----------------------------------------------

void BarLayout::showFrameArea(bool shown)
{
    if (shown == m_frameAreaShown)
        return;
    m_frameAreaShown = shown;
    const int edge = m_now.edge;
    const QSize s = m_f.area->size();
    const QPoint in = DockLayout::frameAreaPoint(edge, true, s);
    const QPoint out = DockLayout::frameAreaPoint(edge, false, s);
    auto *a = new QPropertyAnimation(m_f.area, "pos");
    if (shown) {
        a->setStartValue(out);
        a->setEndValue(in);
        a->setDuration(800);
        a->setEasingCurve(QEasingCurve::OutElastic);
    } else {
        a->setStartValue(in);
        a->setEndValue(out);
        a->setDuration(500);
        a->setEasingCurve(QEasingCurve::OutBack);
    }
    m_frameAreaAnimation = a;
    connect(a, &QPropertyAnimation::finished, this, [this, a] {
        if (m_frameAreaAnimation == a)
            m_frameAreaAnimation = nullptr;
        updateInputShape();
    });
    a->start(QAbstractAnimation::DeleteWhenStopped);
    updateInputShape();
}

// ---- what takes the pointer ------------------------------------------------

QRegion BarLayout::barRegion() const
{
    if (m_f.main->isHidden() || !(m_o.barOnScreen && m_o.barOnScreen()))
        return QRegion();
    // What slides is drawn where it has slid to, and only inside the bar.
    QRegion bar = m_bar->drawnRegion();
    bar.translate(m_bar->pos());
    bar += extras();
    if (m_o.slidingOut && m_o.slidingOut())
        bar += bar.translated(m_f.frameMain->pos());
    else
        bar.translate(m_f.frameMain->pos());
    bar &= QRect(QPoint(0, 0), m_f.main->size());
    return bar.translated(m_f.main->pos());
}

// The drop frame and the settings' panel area, when they show.
QRegion BarLayout::extras() const
{
    QRegion r;
    if (!m_f.dropHint->isHidden())
        r += m_f.dropHint->geometry();
    if (m_frameAreaShown || m_frameAreaAnimation)
        r += m_f.area->geometry();
    return r;
}

QRegion BarLayout::drawnRegion() const
{
    QRegion drawn = barRegion();
    if (m_o.tipsShown)
        drawn += m_o.tipsShown();
    if (m_o.menusShown)
        drawn += m_o.menusShown();
    return drawn & m_f.window->rect();
}

// The window covers its screen: only what it draws takes the pointer, the
// rest of the desktop stays reachable, and a pointer on anything drawn
// stays with the dock. The shape goes out with the picture that draws it:
// the frame's repaint sends it (see the bar's aboutToPaint), so that a
// shape never runs ahead of what shows nor stays behind it. Only while no
// picture comes (the window or the bar out of sight) it goes out at once.
void BarLayout::updateInputShape()
{
    QWidget *window = m_f.window;
    if (window->isVisible() && m_bar->isVisible()) {
        QCoreApplication::postEvent(window, new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority);
        return;
    }
    sendInputShape();
}

// Under a pointer on the bar the icons grow and shrink with every move, and
// with a compositing manager the input shape decides nothing but where the
// pointer goes. What they drew a moment ago, and some room around where
// they grew, then keep taking the pointer, except near the pointer, where
// the shape is always what is drawn: the window is not reshaped at every
// move (each new shape costs the display server and the window manager a
// round of work). A click lands where the user aims: a pointer does not leap
// in one frame from where it moves to a place the shape holds beyond what is
// drawn, and one that moves there stays on the bar (the room lies within
// it), which sees it come near and gives the place up. A pointer off the
// bar, a button held, or icons standing still a moment make it exact
// everywhere; so does a desktop without a compositing manager, where the
// shape also cuts what shows.
void BarLayout::sendInputShape(bool exact)
{
    QRegion visible = drawnRegion();
    QWidget *window = m_f.window;
    // An empty region would mean "the whole window": keep one pixel instead,
    // under the edge strip, which lies above it anyway.
    if (visible.isEmpty()) {
        QPoint at = m_f.strip->geometry().topLeft() - window->pos();
        if (!window->rect().contains(at))
            at = QPoint(0, 0);
        visible = QRegion(QRect(at, QSize(1, 1)));
    }
    const QRegion held = exact ? QRegion() : heldAwayFromPointer(visible);
    if (held.isEmpty())
        m_shapeSettles->stop();
    else
        m_shapeSettles->start();
    // Nothing beneath the bar is painted under it, unless the settings'
    // panel area slides there.
    m_bar->setAttribute(Qt::WA_OpaquePaintEvent, !(m_frameAreaShown || m_frameAreaAnimation));
    m_place.sendInputRegion(visible + held);
}

// What takes the pointer beyond what is drawn (see sendInputShape).
QRegion BarLayout::heldAwayFromPointer(const QRegion &drawn) const
{
    if (!m_pointerOnBar || !m_place.hasSent() || !m_bar->pointer()->isIdle()
        || !platform::WindowSystemService::get().translucencyWorks())
        return QRegion();
    const QRegion sent = m_place.inputRegion();
    QRegion held = sent;
    // What outgrows the shape is sent with room around it on the bar, where
    // the icons and the name go next.
    const QRegion grown = drawn.subtracted(sent);
    if (!grown.isEmpty()) {
        QRegion room;
        for (const QRect &r : grown)
            room += r.adjusted(-GrowRoom, -GrowRoom, GrowRoom, GrowRoom);
        held += room & QRect(m_bar->mapTo(m_f.window, QPoint(0, 0)), m_bar->size());
    }
    const QRect near(*m_pointerOnBar - QPoint(ExactAround, ExactAround),
                     QSize(2 * ExactAround + 1, 2 * ExactAround + 1));
    return held.subtracted(drawn).subtracted(near);
}

bool BarLayout::eventFilter(QObject *o, QEvent *e)
{
    // Where the pointer is: the moves the leave check sends stand on an
    // icon, not where the pointer is.
    if (o == m_bar) {
        if (e->type() == QEvent::MouseMove && e->spontaneous()) {
            m_pointerOnBar = m_bar->mapTo(m_f.window, static_cast<QMouseEvent *>(e)->pos());
        } else if (e->type() == QEvent::Leave || e->type() == QEvent::Hide) {
            if (m_pointerOnBar) {
                m_pointerOnBar.reset();
                updateInputShape();
            }
        }
    }
    return QObject::eventFilter(o, e);
}

void BarLayout::resendInputShape()
{
    m_place.forgetSentRegion();
    sendInputShape();
}
