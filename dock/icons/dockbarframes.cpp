#include "dockbar.h"
#include "dockbar_p.h"

#include "dock/icons/barcurves.h"
#include "dock/icons/coarseregion.h"
#include "dock/icons/dockface.h"
#include "dock/icons/iconpictures.h"
#include "dock/icons/magnify.h"
#include "platform/windowsystem.h"

#include <QBackingStore>
#include <QCoreApplication>
#include <QEasingCurve>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <QWindow>


namespace {

const QString PlusPicture = QStringLiteral(":/image/icon/plus.png");

int mix(int a, int b, qreal t)
{
    return int(a + (b - a) * t);
}

} // namespace

// ---------------------------------------------------------------- frames

// A pointer move, the relayout it starts, the name tip following it and
// every running animation each change a few rectangles of the window; painted
// one by one, each would cost a repaint cycle and a round trip to the
// display. The window is therefore painted at most once a frame: the first
// repaint after a quiet frame goes out at once, later ones wait for the
// frame's end and go together. The bar watches its window's repaints for
// that, so the tip and the frames around the bar are held with it.
//
// A move changes a few dozen rectangles, and each update the toolkit hears
// of is clipped and merged into its own region on the spot: the rectangles
// gather here instead, and the toolkit hears of them joined, when the frame
// is painted. The first one asks for that frame. As with the toolkit's own
// updates, nothing is kept of a hidden bar: it is drawn whole when shown.
void DockBar::dirty(const QRegion &r)
{
    if (r.isEmpty() || !isVisible() || !updatesEnabled())
        return;
    const QRegion in = rect().contains(r.boundingRect()) ? r : r & rect();
    if (in.isEmpty())
        return;
    if (m_frameDirty.isEmpty())
        askForFrame(in);
    m_frameDirty += in;
}

// The frame is asked for without handing the toolkit any of its area yet:
// what turns out unchanged when it is painted is then taken out of it.
void DockBar::askForFrame(const QRegion &fallback)
{
    if (!m_window || m_window != window()) {
        update(fallback);
        return;
    }
    if (!m_frameAsked) {
        m_frameAsked = true;
        QCoreApplication::postEvent(m_window, new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority);
    }
}

void DockBar::watchWindow()
{
    QWidget *w = window();
    if (w != m_window) {
        if (m_window)
            m_window->removeEventFilter(this);
        if (m_handle)
            m_handle->removeEventFilter(this);
        m_handle = nullptr;
        m_window = w;
        w->installEventFilter(this);
        m_shownValid = false;
    }
    // Its exposures too: the window handle comes with the first show.
    if (w->windowHandle() && w->windowHandle() != m_handle) {
        m_handle = w->windowHandle();
        m_handle->installEventFilter(this);
        m_shownValid = false;
    }
}

bool DockBar::eventFilter(QObject *o, QEvent *e)
{
    if (e->type() == QEvent::UpdateRequest && o == m_window) {
        m_frameAsked = false;
        const qint64 now = m_clock.elapsed();
        if (!m_painting && now - m_lastPaint < FrameMs) {
            m_held = true;
            const int wait = int(qMax<qint64>(1, FrameMs - (now - m_lastPaint)));
            if (!m_frameTimer->isActive() || m_frameTimer->remainingTime() > wait)
                m_frameTimer->start(wait);
            return true;
        }
        m_lastPaint = now;
        m_held = false;
        // The owner's relayout of what changed goes into this picture.
        QPointer<DockBar> self(this);
        emit aboutToPaint();
        if (!self)
            return false;
        // Icons that only slid along go by moving their pixels.
        shiftShown();
        // What the frame changed goes out in a few rectangles.
        if (!m_frameDirty.isEmpty()) {
            update(coarseRegion(m_frameDirty, RectCost));
            // That asked the toolkit for a repaint of its own, which this
            // one is: a second would only find the frame too soon.
            QCoreApplication::removePostedEvents(m_window, QEvent::UpdateRequest);
        }
        m_frameDirty = QRegion();
        recordShown();
    } else if (e->type() == QEvent::Expose && o == m_handle) {
        // The toolkit repaints what was exposed as the icons stand now, not
        // as the last picture drew them.
        m_shownValid = false;
    }
    return QWidget::eventFilter(o, e);
}

// The magnified icons change size at every move, and the bar stays centred
// on its screen: the icons on either side of them, and the ends of the
// background, slide a pixel or two along at nearly every move, unchanged.
// Drawn anew they would cost most of the frame; their pixels in the window
// are moved instead, and only the strip they uncover is drawn. A side that
// stayed where it was, though the relayout named it, is not drawn at all.
// The side must be exactly what it was, elsewhere or in place: the same
// icons, sizes and looks, none running an animation, the same shift for all
// and for its end of the background, a plain background (pictures stretch
// with the length), and nothing else drawn where its pixels come from or go
// to.
void DockBar::shiftShown()
{
    if (!m_shownValid || m_placeholderShown || !m_handle || !m_handle->isExposed())
        return;
    // Without a compositing manager the window's outline is cut from its
    // picture as the toolkit keeps it, which a move on the display's side
    // would leave behind: only a side that stayed where it was is left out.
    const bool moves = platform::WindowSystemService::get().translucencyWorks();
    const Background &b = m_background;
    if (!b.first.isEmpty() || !b.middle.isEmpty() || !b.last.isEmpty())
        return;
    const bool h = horizontal();
    auto lo = [h](const QRect &r) { return h ? r.left() : r.top(); };
    auto hi = [h](const QRect &r) { return h ? r.right() : r.bottom(); };
    const QRect bg = m_backgroundRect, shownBg = m_shownBackground;
    if (bg.isEmpty() != shownBg.isEmpty())
        return;
    if (!bg.isEmpty() && (h ? (bg.top() != shownBg.top() || bg.height() != shownBg.height())
                            : (bg.left() != shownBg.left() || bg.width() != shownBg.width())))
        return;
    QVector<const Item *> row;
    for (const Item *it : qAsConst(m_items)) {
        if (it->hidden != it->shown.isEmpty())
            return; // shown or hidden since
        if (!it->hidden)
            row.append(it);
    }
    if (row.isEmpty())
        return;
    // How far an icon slid unchanged, or no shift at all.
    auto slid = [&](const Item *it) -> std::optional<int> {
        const QRect now = rectOf(it);
        if (it->grow.on || it->glide.on || it->jump.on || it->slide.on || it->slideY != 0
            || it->shownSerial != it->faceSerial || it->shownJumpY != it->jumpY || now.size() != it->shown.size()
            || (h ? now.top() != it->shown.top() : now.left() != it->shown.left()))
            return std::nullopt;
        return lo(now) - lo(it->shown);
    };
    const int k = qBound(0, b.radius + 1, qMin(bg.width(), bg.height()) / 2);
    // One side's run of icons, from the first to `last` or from `first` to
    // the end, and where its pixels lie.
    auto shiftRun = [&](int first, int last, int d) {
        if (d != 0 && !moves)
            return;
        const bool fromStart = first == 0, toEnd = last == row.size() - 1;
        QRect from;
        for (int i = first; i <= last; ++i)
            from |= row[i]->shown;
        if (!shownBg.isEmpty()) {
            const int bgShift = fromStart ? lo(bg) - lo(shownBg) : hi(bg) - hi(shownBg);
            if (bgShift != d)
                return;
            if (fromStart && toEnd) {
                if (hi(bg) - hi(shownBg) != d)
                    return;
                from |= shownBg;
            } else {
                // Its end of the background goes with it, up to the run's
                // far edge; the other end stays well away.
                QRect end = shownBg;
                if (fromStart)
                    h ? end.setRight(from.right()) : end.setBottom(from.bottom());
                else
                    h ? end.setLeft(from.left()) : end.setTop(from.top());
                if ((fromStart ? hi(shownBg) - hi(end) : lo(end) - lo(shownBg)) <= k + qAbs(d))
                    return;
                from |= end;
            }
        }
        const QPoint by = h ? QPoint(d, 0) : QPoint(0, d);
        const QRect to = from.translated(by);
        // Nothing else was drawn where the pixels come from, nor is where
        // they go.
        for (int i = 0; i < row.size(); ++i) {
            if (i >= first && i <= last)
                continue;
            if (row[i]->shown.intersects(from) || rectOf(row[i]).intersects(to))
                return;
        }
        if (!rect().contains(from) || !rect().contains(to))
            return;
        // The pixels of a widget on the bar would move without it.
        for (const QObject *c : children()) {
            const auto *w = qobject_cast<const QWidget *>(c);
            if (w && w->isVisible() && w->geometry().intersects(from | to))
                return;
        }
        // The toolkit moves pixels inside the rectangle given: both ends. On
        // X11 it moves them in its copy on the display only, which is what
        // shows; its picture in memory is read by nothing while a
        // compositing manager runs, and is drawn anew whole when one stops.
        if (d != 0)
            scroll(by.x(), by.y(), from | to);
        m_frameDirty -= to;
    };
    int left = -1;
    const std::optional<int> dl = slid(row.first());
    if (dl) {
        left = 0;
        while (left + 1 < row.size() && slid(row[left + 1]) == dl)
            ++left;
        shiftRun(0, left, *dl);
    }
    if (left == row.size() - 1)
        return;
    const std::optional<int> dr = slid(row.last());
    if (dr) {
        int right = row.size() - 1;
        while (right - 1 > left && slid(row[right - 1]) == dr)
            --right;
        shiftRun(right, row.size() - 1, *dr);
    }
}

// The window and its handle are watched from the bar's show on: a frame
// before that moves nothing.
void DockBar::recordShown()
{
    m_shownValid = m_handle && m_handle->isExposed() && isVisible();
    m_shownBackground = m_backgroundRect;
    for (Item *it : qAsConst(m_items)) {
        it->shown = it->hidden ? QRect() : rectOf(it);
        it->shownSerial = it->faceSerial;
        it->shownJumpY = it->jumpY;
    }
}

void DockBar::forgetFace(Item *it)
{
    it->renders.clear();
    ++it->faceSerial;
}

// The frame's repaint of the window, at once.
void DockBar::paintWindow()
{
    watchWindow();
    QWidget *w = m_window;
    m_held = false;
    QCoreApplication::removePostedEvents(w, QEvent::UpdateRequest);
    m_painting = true;
    QEvent e(QEvent::UpdateRequest);
    QCoreApplication::sendEvent(w, &e);
    m_painting = false;
}

void DockBar::startClock()
{
    m_running = true;
    if (!m_frameTimer->isActive())
        m_frameTimer->start(FrameMs);
}

// One frame: every animation advances by the same clock, the window is laid
// out and painted once. The clock stops when nothing moves.
void DockBar::tick()
{
    m_running = advance();
    paintWindow();
    if (m_running)
        m_frameTimer->start(nextFrame());
    else if (isVisible())
        m_warmTimer->start();
}

// While the pointer's moves keep coming they are the frames: the clock waits
// until they stop rather than painting between two of them.
int DockBar::nextFrame() const
{
    const qint64 sinceMove = m_clock.elapsed() - m_lastMove;
    return sinceMove < MoveFrameMs ? int(MoveFrameMs - sinceMove) : FrameMs;
}

// While the pointer sweeps the bar its moves are the frames: each advances
// the animations and goes out as one picture with them, and the clock only
// takes over when the moves stop.
void DockBar::advanceWithMove()
{
    if (!m_running)
        return;
    m_running = advance();
    // A picture held for the frame goes out with it all the same: moves
    // that keep coming never put it off (nor the shape that goes with it).
    if (m_held) {
        if (!m_frameTimer->isActive() || m_frameTimer->remainingTime() > FrameMs)
            m_frameTimer->start(FrameMs);
    } else if (m_running) {
        m_frameTimer->start(MoveFrameMs);
    }
}

bool DockBar::advance()
{
    static const QEasingCurve outBack(QEasingCurve::OutBack);
    const qint64 now = m_clock.elapsed();
    bool running = false;
    const QVector<Item *> items = m_items;
    for (int i = 0; i < items.size(); ++i) {
        if (items != m_items)
            break; // a signal below rebuilt the bar: the next frame goes on
        Item *it = items[i];
        if (it->grow.on) {
            const qreal t = it->grow.at(now);
            const qreal v = outBack.valueForProgress(t);
            QSize s(mix(it->growFrom.width(), it->growTo.width(), v),
                    mix(it->growFrom.height(), it->growTo.height(), v));
            if (t >= 1) {
                it->grow.on = false;
                s = it->growTo;
            }
            running |= it->grow.on;
            resizeItem(it, s);
        }
        if (it->glide.on) {
            const qreal t = it->glide.at(now);
            QPoint p(mix(it->glideFrom.x(), it->glideTo.x(), t), mix(it->glideFrom.y(), it->glideTo.y(), t));
            if (t >= 1) {
                it->glide.on = false;
                p = it->glideTo;
            }
            running |= it->glide.on;
            moveItem(it, p);
        }
        if (it->jump.on) {
            const qreal t = it->jump.at(now);
            const int y = BarCurves::jumpY(t, it->jumpFrom);
            it->jump.on = t < 1;
            running |= it->jump.on;
            if (y != it->jumpY) {
                it->jumpY = y;
                dirty(rectOf(it));
            }
        }
        if (it->slide.on) {
            const qreal t = it->slide.at(now);
            const int y = BarCurves::slideY(t, int(it->magnified));
            it->slide.on = t < 1;
            running |= it->slide.on;
            if (y != it->slideY) {
                it->slideY = y;
                dirty(rectOf(it));
            }
        }
    }
    return running;
}

// While the bar is quiet, the faces are drawn at every size step they pass
// through when magnified, so that the first sweep only picks pictures.
void DockBar::warmFaces()
{
    if (!isVisible() || m_frameTimer->isActive() || !m_hover.isEmpty())
        return;
    const int top = int(m_M) - 10;
    for (Item *it : qAsConst(m_items)) {
        if (it->hidden || it->isBlank() || !it->face)
            continue;
        faceAt(it, QSize(top, top));
        int steps = 0;
        for (int s = qMax(8, int(m_N) - 10); steps < 14; s += 8, ++steps) {
            faceAt(it, QSize(qMin(s, top), qMin(s, top)));
            if (s >= top)
                break;
        }
    }
}
// ---------------------------------------------------------------- painting

void DockBar::paintItem(QPainter &p, const Item *it)
{
    const QRect r = rectOf(it);
    QRect pic = pictureOf(it);
    if (it->slideY)
        pic.translate(0, it->slideY);
    if (!it->face || pic.width() <= 0 || pic.height() <= 0)
        return;
    const QPixmap face = faceAt(const_cast<Item *>(it), pic.size());
    // A jump or slide may carry the picture past the icon: it shows only
    // inside. Clipping costs each drawing, so only then.
    if (r.contains(pic)) {
        p.drawPixmap(pic, face);
        return;
    }
    p.save();
    p.setClipRect(r, Qt::IntersectClip);
    p.drawPixmap(pic, face);
    p.restore();
}

// The face at a size step of 8 pixels at or above the size asked for, drawn
// once: while an icon grows and shrinks its picture is only scaled down a
// little, never decoded or scaled from its file again. The sizes at rest and
// fully magnified, where most icons stand, have steps of their own and are
// drawn without scaling.
QPixmap DockBar::faceAt(Item *it, const QSize &size)
{
    const int rest = int(m_N) - 10, top = int(m_M) - 10;
    const bool exact = size.width() == size.height() && (size.width() == rest || size.width() == top);
    const QSize step = exact ? size : QSize((size.width() + 7) / 8 * 8, (size.height() + 7) / 8 * 8);
    const quint32 key = quint32(step.width()) << 16 | quint32(step.height());
    auto found = it->renders.constFind(key);
    if (found != it->renders.constEnd())
        return *found;
    if (it->renders.size() >= 20)
        it->renders.clear();
    const qreal dpr = devicePixelRatioF();
    auto render = [&](const QSize &at) {
        QPixmap pm(at * dpr);
        pm.setDevicePixelRatio(dpr);
        pm.fill(Qt::transparent);
        QPainter q(&pm);
        q.setRenderHint(QPainter::SmoothPixmapTransform);
        q.setRenderHint(QPainter::Antialiasing);
        it->face->paint(q, QRect(QPoint(0, 0), at));
        return pm;
    };
    // A square face is drawn once at the largest size it grows to, and the
    // smaller steps are scaled from that: the first sweep over a bar then
    // scales small pictures, not each icon's full-sized file once a step.
    QPixmap pm;
    if (!it->isBlank() && step.width() == step.height() && step.width() < top) {
        const quint32 topKey = quint32(top) << 16 | quint32(top);
        auto big = it->renders.constFind(topKey);
        if (big == it->renders.constEnd())
            big = it->renders.insert(topKey, render(QSize(top, top)));
        pm = big->scaled(step * dpr, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        pm.setDevicePixelRatio(dpr);
    } else {
        pm = render(step);
    }
    it->renders.insert(key, pm);
    return pm;
}

void DockBar::paintBackground(QPainter &p)
{
    const Background &b = m_background;
    const QRect r = m_backgroundRect;
    if (b.fill.alpha() > 0 && r.width() > 0 && r.height() > 0) {
        // The length changes with every magnified move: the rounded corners
        // are drawn once and the straight parts filled, rather than the
        // whole outline rasterised again.
        const int k = qBound(0, b.radius + 1, qMin(r.width(), r.height()) / 2);
        if (m_corners.isNull() || m_cornersKey != QPair<QColor, int>(b.fill, b.radius) || m_corners.width() != 2 * k) {
            m_corners = QPixmap(2 * k, 2 * k);
            m_corners.fill(Qt::transparent);
            QPainter q(&m_corners);
            q.setRenderHint(QPainter::Antialiasing);
            q.setPen(Qt::NoPen);
            q.setBrush(b.fill);
            q.drawRoundedRect(QRectF(0, 0, 2 * k, 2 * k), b.radius, b.radius);
            m_cornersKey = qMakePair(b.fill, b.radius);
        }
        const int x0 = r.x(), y0 = r.y(), x1 = r.x() + r.width() - k, y1 = r.y() + r.height() - k;
        p.drawPixmap(QPoint(x0, y0), m_corners, QRect(0, 0, k, k));
        p.drawPixmap(QPoint(x1, y0), m_corners, QRect(k, 0, k, k));
        p.drawPixmap(QPoint(x0, y1), m_corners, QRect(0, k, k, k));
        p.drawPixmap(QPoint(x1, y1), m_corners, QRect(k, k, k, k));
        // Over a cleared window with nothing beneath the bar painted, the
        // fill is the colour itself: written, not blended.
        const bool written = testAttribute(Qt::WA_OpaquePaintEvent) && paintsClearedWindow();
        if (written)
            p.setCompositionMode(QPainter::CompositionMode_Source);
        p.fillRect(QRect(x0 + k, y0, r.width() - 2 * k, r.height()), b.fill);
        p.fillRect(QRect(x0, y0 + k, k, r.height() - 2 * k), b.fill);
        p.fillRect(QRect(x1, y0 + k, k, r.height() - 2 * k), b.fill);
        if (written)
            p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    // The pieces change length with every magnified move: read once, and
    // stretched by the painter.
    auto piece = [this, &p](const QString &path, const QRect &at) {
        if (path.isEmpty() || at.isEmpty())
            return;
        auto found = m_pieces.find(path);
        if (found == m_pieces.end())
            found = m_pieces.insert(path, QPixmap(path));
        if (!found->isNull())
            p.drawPixmap(at, *found);
    };
    // The ends keep their length; the middle stretches between them.
    const int end = 50;
    if (!b.upright) {
        piece(b.first, QRect(r.x(), r.y(), qMin(end, r.width()), r.height()));
        piece(b.middle, QRect(r.x() + end, r.y(), r.width() - 2 * end, r.height()));
        piece(b.last, QRect(r.right() + 1 - end, r.y(), qMin(end, r.width()), r.height()));
    } else {
        piece(b.first, QRect(r.x(), r.y(), r.width(), qMin(end, r.height())));
        piece(b.middle, QRect(r.x(), r.y() + end, r.width(), r.height() - 2 * end));
        piece(b.last, QRect(r.x(), r.bottom() + 1 - end, r.width(), qMin(end, r.height())));
    }
}

// Whether anything of the bar is drawn in r.
bool DockBar::drawsIn(const QRegion &r) const
{
    if (r.intersects(m_backgroundRect)
        || (m_placeholderShown && r.intersects(placeholderRect().translated(m_strip.topLeft()))))
        return true;
    for (const Item *it : qAsConst(m_items)) {
        if (!it->hidden && r.intersects(rectOf(it)))
            return true;
    }
    return false;
}

// Whether the bar paints into the picture of a see-through window, which
// the toolkit clears where it is repainted before any widget paints (a grab
// of the bar paints elsewhere).
bool DockBar::paintsClearedWindow() const
{
    QBackingStore *store = window()->backingStore();
    const QPaintDevice *device = redirected(nullptr);
    if (!store || !device || device != store->paintDevice())
        return false;
    const auto *image = dynamic_cast<const QImage *>(device);
    return image && image->hasAlphaChannel();
}

void DockBar::paintEvent(QPaintEvent *e)
{
    // The name bubble's every move repaints what lay under it, a strip of the
    // bar where nothing is drawn: the toolkit has cleared it already.
    const bool cleared = paintsClearedWindow();
    if (cleared && !drawsIn(e->region()))
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    // The changes of a move lie at both ends of the row and around the
    // pointer: only what touches them is drawn.
    const QRegion dirty = e->region();
    // The bar paints all it covers: nothing beneath it is drawn first. A
    // see-through window's picture is cleared where it is repainted before
    // any widget paints; a grab of the bar is not.
    if (!cleared) {
        p.setCompositionMode(QPainter::CompositionMode_Source);
        for (const QRect &r : dirty)
            p.fillRect(r, Qt::transparent);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    if (dirty.intersects(m_backgroundRect))
        paintBackground(p);
    for (const Item *it : qAsConst(m_items)) {
        if (!it->hidden && dirty.intersects(rectOf(it)))
            paintItem(p, it);
    }
    if (m_placeholderShown) {
        const QRect r = placeholderRect().translated(m_strip.topLeft());
        const QRect pic = r.adjusted(5, 5, -5, -5);
        if (dirty.intersects(r)) {
            const QPixmap pm = IconPictures::scaled(PlusPicture, pic.size());
            if (!pm.isNull())
                p.drawPixmap(pic.topLeft(), pm);
        }
    }
}

void DockBar::showEvent(QShowEvent *e)
{
    QWidget::showEvent(e);
    watchWindow();
    m_warmTimer->start();
    for (Item *it : qAsConst(m_items))
        if (it->face)
            it->face->setActive(true);
}

void DockBar::hideEvent(QHideEvent *e)
{
    QWidget::hideEvent(e);
    for (Item *it : qAsConst(m_items))
        if (it->face)
            it->face->setActive(false);
}

// ---------------------------------------------------------------- animations

// 300 ms towards a new size, run only while the size differs from its
// target; a new target starts the way afresh from where the icon stands.
void DockBar::animateSize(Item *it, const QSize &end)
{
    if (it->grow.on && it->growTo == end)
        return;
    if (!it->grow.on && it->size == end)
        return;
    it->grow.on = true;
    it->grow.start = m_clock.elapsed();
    it->grow.duration = 300;
    it->growFrom = it->size;
    it->growTo = end;
    startClock();
}

// The hover zoom: towards the magnified size while the pointer is in, else back.
void DockBar::startHover(Item *it)
{
    if (m_frozen)
        return;
    QSize end;
    if (!it->isBlank())
        end = it->mouseIn ? QSize(int(it->magnified), int(it->magnified)) : QSize(int(it->normal), int(it->normal));
    else if (horizontal())
        end = QSize(int(it->normal), it->mouseIn ? int(it->magnifiedBase) : int(it->magnified));
    else
        end = QSize(it->mouseIn ? int(it->magnifiedBase) : int(it->magnified), int(it->normal));
    animateSize(it, end);
}

void DockBar::setSize(const QString &id, float s)
{
    Item *it = item(id);
    if (!it || m_frozen)
        return;
    it->grow.on = false;
    if (!it->isBlank())
        resizeItem(it, QSize(int(s), int(s)));
    else if (horizontal())
        resizeItem(it, QSize(int(it->normal), int(s)));
    else
        resizeItem(it, QSize(int(s), int(it->normal)));
    it->hoverSized = true;
}

void DockBar::mouseIn(const QString &id)
{
    if (Item *it = item(id)) {
        it->mouseIn = true;
        it->hoverSized = true;
        startHover(it);
    }
}

void DockBar::restoreSize(const QString &id)
{
    Item *it = item(id);
    if (!it)
        return;
    it->hoverSized = false;
    if (it->isBlank()) {
        it->grow.on = false;
        resizeItem(it, horizontal() ? QSize(int(it->normal), int(it->magnified))
                                    : QSize(int(it->magnified), int(it->normal)));
        return;
    }
    animateSize(it, QSize(int(it->normal), int(it->normal)));
}

void DockBar::restoreAll()
{
    m_hoverAt.reset();
    // Nothing is hovered any more: the next move over an icon grows it
    // afresh, rather than sizing its neighbours around an icon at rest.
    if (Item *hovered = item(m_hover))
        hovered->mouseIn = false;
    m_hover.clear();
    for (const Item *it : qAsConst(m_items))
        restoreSize(it->id);
}

void DockBar::magnify(const QString &id, float d)
{
    const int rows = m_items.size();
    int r = -1;
    QVector<bool> blank(rows);
    for (int i = 0; i < rows; ++i) {
        if (r < 0 && m_items[i]->id == id)
            r = i;
        blank[i] = m_items[i]->isBlank();
    }
    if (r < 0)
        return;
    const Magnify::Plan plan = Magnify::plan(blank, r, d, m_M, m_N, horizontal());
    for (const Magnify::Step &step : plan.steps) {
        const QString sid = m_items[step.row]->id;
        if (step.kind == Magnify::Step::SetSize)
            setSize(sid, step.size);
        else
            mouseIn(sid);
    }
    // Icons further away go back to rest; those already there are left
    // alone, so a long bar costs no more than a short one.
    auto restore = [&](int row) {
        Item *it = m_items[row];
        const QSize rest = restSize(it);
        if (it->hoverSized || (it->size != rest && !it->grow.on))
            restoreSize(it->id);
    };
    for (int row : plan.settle) {
        Item *it = m_items[row];
        if (it->size == restSize(it) && !it->grow.on)
            continue;
        if (it->isBlank()) {
            restoreSize(it->id); // at once for a spacer
        } else {
            setSize(it->id, it->normal);
            it->hoverSized = false;
        }
    }
    for (int row = plan.restoreAfter; row < rows; ++row)
        restore(row);
    for (int row = plan.restoreBefore; row >= 0; --row)
        restore(row);
}

void DockBar::moveAnimation(const QString &id, const QPoint &p)
{
    Item *it = item(id);
    if (!it)
        return;
    it->glide.on = true;
    it->glide.start = m_clock.elapsed();
    it->glide.duration = 88;
    it->glideFrom = it->pos;
    it->glideTo = p;
    startClock();
}

void DockBar::placeAt(const QString &id, const QPoint &p)
{
    Item *it = item(id);
    if (!it)
        return;
    it->glide.on = false;
    moveItem(it, p);
}

void DockBar::jumpAnimation(const QString &id)
{
    Item *it = item(id);
    if (!it || IconClasses::of(it->cls).is(IconRule::NoJump) || m_clickStyle != 1)
        return;
    it->jump.on = true;
    it->jump.start = m_clock.elapsed();
    it->jump.duration = 700;
    it->jumpFrom = it->jumpY;
    startClock();
}

void DockBar::showAnimation(const QString &id)
{
    Item *it = item(id);
    if (!it)
        return;
    if (!IconClasses::of(it->cls).is(IconRule::SlidesIn)) {
        it->slideY = 0;
        dirty(rectOf(it));
        return;
    }
    it->slide.on = true;
    it->slide.start = m_clock.elapsed();
    it->slide.duration = 500;
    it->slideY = -int(it->magnified);
    dirty(rectOf(it));
    startClock();
}
