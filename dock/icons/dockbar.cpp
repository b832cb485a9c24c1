#include "dockbar.h"

#include "dock/icons/dockface.h"
#include "dock/icons/formcommonicon.h"
#include "dock/icons/formtimingflash.h"
#include "dock/icons/iconpictures.h"
#include "dock/model/dockiconlist.h"
#include "dock/icons/magnify.h"

#include <QBackingStore>
#include <QCoreApplication>
#include <QCursor>
#include <QDebug>
#include <QEasingCurve>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QPointer>
#include <QTimer>

namespace {

const QString Blank = QStringLiteral("BLANK");
const QString Temporary = QStringLiteral("Temporary");
const QString PlusPicture = QStringLiteral(":/image/icon/plus.png");

QPoint rounded(const QMouseEvent *e, const QPoint &origin)
{
    return QPoint(qRound(e->localPos().x()), qRound(e->localPos().y())) - origin;
}

// One animation of an icon, advanced by the bar's frame clock.
struct Tween
{
    bool on = false;
    qint64 start = 0;
    int duration = 1;
    qreal at(qint64 now) const { return qBound<qreal>(0, qreal(now - start) / duration, 1); }
};

int mix(int a, int b, qreal t)
{
    return int(a + (b - a) * t);
}

} // namespace

struct DockBar::Item
{
    QString id, cls, name, picture;
    DockFace *face = nullptr;
    QString facePicture, faceClass;
    QPoint pos;
    QSize size;
    bool hidden = false;
    bool mouseIn = false;
    bool hoverSized = false; // sized by the hover since it last went back
    float magnified = 0, magnifiedBase = 0, normal = 0, normalBase = 0;
    Tween grow;  // the size towards growTo
    QSize growFrom, growTo;
    Tween glide; // the place towards glideTo
    QPoint glideFrom, glideTo;
    Tween jump;  // an opened icon's picture jumping
    int jumpFrom = 5;
    Tween slide; // a removable disk's picture dropping in
    int jumpY = 5;   // where the picture stands across the icon (the jump moves it)
    int slideY = 0;  // a removable disk's picture dropping in
    // The face drawn once per size step; magnification only scales these.
    QHash<quint32, QPixmap> renders;
    bool isBlank() const { return cls == Blank; }
};

DockBar::DockBar(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_NoSystemBackground);
    m_clickTimer = new QTimer(this);
    m_clickTimer->setSingleShot(true);
    connect(m_clickTimer, &QTimer::timeout, this, [this] {
        m_drag = true;
        setCursor(Qt::ClosedHandCursor);
    });
    m_ringTimer = new QTimer(this);
    connect(m_ringTimer, &QTimer::timeout, this, &DockBar::ringTick);
    m_frameTimer = new QTimer(this);
    m_frameTimer->setSingleShot(true);
    m_frameTimer->setTimerType(Qt::PreciseTimer);
    connect(m_frameTimer, &QTimer::timeout, this, &DockBar::tick);
    m_warmTimer = new QTimer(this);
    m_warmTimer->setSingleShot(true);
    m_warmTimer->setInterval(700);
    connect(m_warmTimer, &QTimer::timeout, this, &DockBar::warmFaces);
    m_clock.start();
}

DockBar::~DockBar()
{
    // A repaint of the window held for the frame goes out without the bar.
    if (m_held && m_window)
        QCoreApplication::postEvent(m_window, new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority);
    delete m_ring;
    delete m_menuOwner;
    qDeleteAll(m_items);
}

// ---------------------------------------------------------------- frames

// A pointer move, the relayout it starts, the name tip following it and
// every running animation each change a few rectangles of the window; painted
// one by one, each would cost a repaint cycle and a round trip to the
// display. The window is therefore painted at most once a frame: the first
// repaint after a quiet frame goes out at once, later ones wait for the
// frame's end and go together. The bar watches its window's repaints for
// that, so the tip and the frames around the bar are held with it.
void DockBar::dirty(const QRegion &r)
{
    if (!r.isEmpty())
        update(r);
}

void DockBar::watchWindow()
{
    QWidget *w = window();
    if (w == m_window)
        return;
    if (m_window)
        m_window->removeEventFilter(this);
    m_window = w;
    w->installEventFilter(this);
}

bool DockBar::eventFilter(QObject *o, QEvent *e)
{
    if (e->type() == QEvent::UpdateRequest && o == m_window) {
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
    }
    return QWidget::eventFilter(o, e);
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
    if (m_running)
        m_frameTimer->start(MoveFrameMs);
}

bool DockBar::advance()
{
    static const QEasingCurve outBack(QEasingCurve::OutBack);
    static const QEasingCurve outQuad(QEasingCurve::OutQuad);
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
            // 0 → up to the top → down 20 → top → down 20 → rest, eased as one.
            static const qreal keys[] = { 0, 0.2, 0.3, 0.6, 0.9, 1 };
            const int values[] = { it->jumpFrom, 0, 20, 0, 20, 5 };
            const qreal t = it->jump.at(now);
            const qreal v = outQuad.valueForProgress(t);
            int k = 0;
            while (k < 4 && v > keys[k + 1])
                ++k;
            const int y = t >= 1 ? 5 : mix(values[k], values[k + 1], (v - keys[k]) / (keys[k + 1] - keys[k]));
            it->jump.on = t < 1;
            running |= it->jump.on;
            if (y != it->jumpY) {
                it->jumpY = y;
                dirty(rectOf(it));
            }
        }
        if (it->slide.on) {
            const qreal t = it->slide.at(now);
            const int y = t >= 1 ? 0 : mix(-int(it->magnified), 0, t);
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

// ---------------------------------------------------------------- rows

void DockBar::setModel(DockIconList *rows)
{
    if (m_rows)
        disconnect(m_rows, nullptr, this, nullptr);
    m_rows = rows;
    if (rows) {
        connect(rows, &DockIconList::reset, this, &DockBar::sync);
        connect(rows, &DockIconList::rowInserted, this, &DockBar::sync);
        connect(rows, &DockIconList::rowRemoved, this, &DockBar::sync);
        connect(rows, &DockIconList::rowMoved, this, &DockBar::sync);
        connect(rows, &DockIconList::rowChanged, this, &DockBar::refreshRow);
    }
    sync();
}

// The icons follow the rows: an icon whose row stays keeps its face, size
// and place; a new row's icon starts at rest.
void DockBar::sync()
{
    QHash<QString, Item *> old = m_byId;
    QVector<Item *> items;
    m_byId.clear();
    const int rows = m_rows ? m_rows->rowCount() : 0;
    for (int r = 0; r < rows; ++r) {
        const DockIconRecord &rec = m_rows->at(r);
        if (m_byId.contains(rec.IconID))
            continue; // one icon per ID
        Item *it = old.take(rec.IconID);
        if (!it) {
            it = new Item;
            it->id = rec.IconID;
            it->hidden = rec.IconID == QLatin1String("plus");
        }
        it->cls = rec.Class;
        it->picture = rec.Icon;
        if (it->face && it->name != rec.Name) {
            it->face->setName(rec.Name);
            it->renders.clear();
        }
        it->name = rec.Name;
        if (!it->face || it->faceClass != it->cls || it->facePicture != it->picture) {
            makeFace(it);
            applySize(it);
        }
        items.append(it);
        m_byId.insert(it->id, it);
    }
    for (Item *gone : qAsConst(old)) {
        if (gone->id == m_hover)
            m_hover.clear();
        delete gone->face;
        delete gone;
    }
    m_items = items;
    update();
    emit rowsChanged();
}

void DockBar::refreshRow(int row)
{
    if (!m_rows || row < 0 || row >= m_rows->rowCount())
        return;
    const DockIconRecord &rec = m_rows->at(row);
    Item *it = item(rec.IconID);
    if (!it) {
        sync();
        return;
    }
    if (it->name != rec.Name) {
        it->name = rec.Name;
        it->face->setName(it->name);
        it->renders.clear();
    }
    if (it->cls != rec.Class || it->picture != rec.Icon) {
        it->cls = rec.Class;
        it->picture = rec.Icon;
        makeFace(it);
        applySize(it);
    }
    dirty(rectOf(it));
}

void DockBar::makeFace(Item *it)
{
    delete it->face;
    it->faceClass = it->cls;
    it->facePicture = it->picture;
    it->renders.clear();
    it->face = DockFace::create(it->cls, it->picture, this);
    it->face->setEdge(m_edge);
    it->face->setName(it->name);
    it->face->setActive(isVisible());
    DockFace *face = it->face;
    connect(face, &DockFace::changed, this, [this, face] {
        for (Item *i : qAsConst(m_items)) {
            if (i->face != face)
                continue;
            i->renders.clear();
            if (!i->hidden)
                dirty(rectOf(i));
        }
    });
}

QStringList DockBar::ids() const
{
    QStringList out;
    for (const Item *it : m_items)
        out << it->id;
    return out;
}

// ---------------------------------------------------------------- sizes

void DockBar::setEdge(int edge)
{
    if (edge == m_edge)
        return;
    m_edge = edge;
    for (Item *it : qAsConst(m_items)) {
        // The spacer's picture turns with the bar.
        it->face->setEdge(edge);
        it->renders.clear();
        applySize(it);
    }
    update();
}

void DockBar::setIconSizes(float magnified, float normal)
{
    m_M = magnified;
    m_N = normal;
    for (Item *it : qAsConst(m_items))
        applySize(it);
    update();
}

// The sizes of an icon at rest; a spacer does not magnify and is thin.
void DockBar::applySize(Item *it)
{
    const int M = int(m_M), n = int(m_N);
    it->magnified = it->magnifiedBase = M;
    it->normal = it->normalBase = n;
    it->grow.on = false;
    it->mouseIn = false;
    it->hoverSized = false;
    if (!it->isBlank()) {
        resizeItem(it, QSize(n, n));
        return;
    }
    it->magnified = n;
    it->normal = n / 2.5f;
    resizeItem(it, horizontal() ? QSize(int(n / 2.5f), n) : QSize(n, int(n / 2.5f)));
}

QRect DockBar::rectOf(const Item *it) const
{
    return QRect(m_strip.topLeft() + it->pos, it->size);
}

QRect DockBar::pictureOf(const Item *it) const
{
    const QRect r = rectOf(it);
    if (!it->isBlank())
        return QRect(r.x() + 5, r.y() + it->jumpY, r.width() - 10, r.height() - 10);
    // The separator keeps its picture's size and hugs the screen edge.
    QSize area = horizontal() ? QSize(int(it->normal - 10), int(it->magnified - 10))
                              : QSize(int(it->magnified - 10), int(it->normal - 10));
    QPoint at(5, 5);
    if (m_edge == 1)
        at = QPoint(r.width() - area.width() - 5, 5);
    else if (m_edge == 2)
        at = QPoint(5, r.height() - area.height() - 5);
    return QRect(r.topLeft() + at, area);
}

void DockBar::resizeItem(Item *it, const QSize &s)
{
    if (it->size == s)
        return;
    if (!it->hidden)
        dirty(rectOf(it));
    it->size = s;
    if (!it->hidden)
        dirty(rectOf(it));
    emit IconWidth(it->id, s.width());
}

void DockBar::moveItem(Item *it, const QPoint &p)
{
    if (it->pos == p)
        return;
    if (!it->hidden)
        dirty(rectOf(it));
    it->pos = p;
    if (!it->hidden)
        dirty(rectOf(it));
    if (it->cls == QLatin1String("MENU") || it->cls == QLatin1String("STARTMENU"))
        emit IconMove(it->id, p, it->size.width(), it->size.height(), it->cls);
}

void DockBar::setBackground(const Background &b)
{
    m_background = b;
    m_pieces.clear();
    dirty(m_backgroundRect);
}

void DockBar::setBackgroundRect(const QRect &r)
{
    if (r == m_backgroundRect)
        return;
    const QRect old = m_backgroundRect;
    m_backgroundRect = r;
    const Background &b = m_background;
    if (!b.first.isEmpty() || !b.middle.isEmpty() || !b.last.isEmpty() || old.isEmpty() || r.isEmpty()) {
        // Stretched pictures change everywhere with the length.
        dirty(old);
        dirty(r);
        return;
    }
    // A plain fill grows and shrinks with the magnified row on nearly every
    // move: what both outlines cover stays the same colour, except at their
    // rounded corners.
    QRegion changed = QRegion(old).xored(QRegion(r));
    for (const QRect &at : { old, r }) {
        const int k = qBound(0, b.radius + 1, qMin(at.width(), at.height()) / 2);
        if (k <= 0)
            continue;
        changed += QRect(at.topLeft(), QSize(k, k));
        changed += QRect(at.right() + 1 - k, at.y(), k, k);
        changed += QRect(at.x(), at.bottom() + 1 - k, k, k);
        changed += QRect(at.right() + 1 - k, at.bottom() + 1 - k, k, k);
    }
    dirty(changed);
}

void DockBar::setStripRect(const QRect &r)
{
    if (r == m_strip)
        return;
    // The icons stand in the strip's coordinates: they move with its
    // corner, and a new length alone moves nothing that shows (the icons
    // that made it longer are repainted by their own change).
    const bool moved = r.topLeft() != m_strip.topLeft();
    const QRegion before = moved ? iconRegion() : QRegion();
    m_strip = r;
    if (moved)
        dirty(before + iconRegion());
}

bool DockBar::isIconHidden(const QString &id) const
{
    const Item *it = item(id);
    return !it || it->hidden;
}

QPoint DockBar::iconPos(const QString &id) const
{
    const Item *it = item(id);
    return it ? it->pos : QPoint();
}

QSize DockBar::iconSize(const QString &id) const
{
    const Item *it = item(id);
    return it ? it->size : QSize();
}

QRect DockBar::iconRect(const QString &id) const
{
    const Item *it = item(id);
    return it ? rectOf(it) : QRect();
}

QRect DockBar::iconRectOnScreen(const QString &id) const
{
    const QRect r = iconRect(id);
    return r.isNull() ? r : QRect(mapToGlobal(r.topLeft()), r.size());
}

QRect DockBar::pictureRect(const QString &id) const
{
    const Item *it = item(id);
    return it ? pictureOf(it) : QRect();
}

QString DockBar::picturePath(const QString &id) const
{
    const Item *it = item(id);
    if (!it)
        return QString();
    if (it->isBlank())
        return horizontal() ? QStringLiteral(":/image/icon/Blank0.png") : QStringLiteral(":/image/icon/Blank1.png");
    return it->picture;
}

bool DockBar::isMouseIn(const QString &id) const
{
    const Item *it = item(id);
    return it && it->mouseIn;
}

bool DockBar::isAnimating() const
{
    for (const Item *it : m_items) {
        if (it->grow.on || it->glide.on)
            return true;
    }
    return false;
}

QSize DockBar::restSize(const Item *it) const
{
    const int n = int(it->normal);
    if (!it->isBlank())
        return QSize(n, n);
    return horizontal() ? QSize(n, int(it->magnified)) : QSize(int(it->magnified), n);
}

bool DockBar::isAtRest() const
{
    if (!m_hover.isEmpty() || !m_pressed.isEmpty())
        return false;
    for (const Item *it : m_items) {
        if (it->hidden)
            continue;
        if (it->size != restSize(it) || it->glide.on || it->grow.on)
            return false;
    }
    return true;
}

int DockBar::restLength() const
{
    int length = 0;
    for (const Item *it : m_items) {
        if (!it->hidden)
            length += horizontal() ? restSize(it).width() : restSize(it).height();
    }
    return length;
}

QString DockBar::iconAt(const QPoint &p) const
{
    for (const Item *it : m_items) {
        if (!it->hidden && rectOf(it).contains(p))
            return it->id;
    }
    return QString();
}

QRegion DockBar::iconRegion() const
{
    QRegion r;
    for (const Item *it : m_items) {
        if (!it->hidden)
            r += rectOf(it);
    }
    if (m_placeholderShown)
        r += placeholderRect().translated(m_strip.topLeft());
    return r;
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
    if (!it || it->cls == QLatin1String("MENU") || m_clickStyle != 1)
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
    if (it->cls != QLatin1String("UDISK")) {
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

QSize DockBar::layoutRow()
{
    int x = 0, y = 0;
    for (Item *it : qAsConst(m_items)) {
        if (it->hidden)
            continue;
        QPoint p;
        switch (m_edge) {
        case 0: p = QPoint(x, 0); break;
        case 1: p = QPoint(int(m_M) - it->size.width(), y); break;
        case 2: p = QPoint(x, int(m_M) - it->size.height()); break;
        default: p = QPoint(0, y); break;
        }
        it->glide.on = false;
        moveItem(it, p);
        x += it->size.width();
        y += it->size.height();
    }
    return QSize(x, y);
}

void DockBar::setPlaceholderShown(bool b)
{
    if (b == m_placeholderShown)
        return;
    m_placeholderShown = b;
    dirty(placeholderRect().translated(m_strip.topLeft()));
}

void DockBar::setPlaceholderPos(const QPoint &p)
{
    if (p == m_placeholderPos)
        return;
    if (m_placeholderShown)
        dirty(placeholderRect().translated(m_strip.topLeft()));
    m_placeholderPos = p;
    if (m_placeholderShown)
        dirty(placeholderRect().translated(m_strip.topLeft()));
}

QRect DockBar::placeholderRect() const
{
    return QRect(m_placeholderPos, QSize(int(m_N), int(m_N)));
}

void DockBar::setDrive(const QString &id, const QString &drive)
{
    Item *it = item(id);
    if (it && it->cls == QLatin1String("DISK") && it->face)
        it->face->setDrive(drive);
}

void DockBar::setWeather(const QString &name, const QString &stateDetailed, const QString &temNow,
                         const QString &state)
{
    for (Item *it : qAsConst(m_items)) {
        if (it->cls == QLatin1String("WEATHER") && it->face)
            it->face->setWeather(name, stateDetailed, temNow, state);
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
        p.fillRect(QRect(x0 + k, y0, r.width() - 2 * k, r.height()), b.fill);
        p.fillRect(QRect(x0, y0 + k, k, r.height() - 2 * k), b.fill);
        p.fillRect(QRect(x1, y0 + k, k, r.height() - 2 * k), b.fill);
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

bool DockBar::paintsClearedWindow(QPainter &p) const
{
    QBackingStore *store = window()->backingStore();
    if (!store || !p.paintEngine() || p.paintEngine()->paintDevice() != store->paintDevice())
        return false;
    const auto *image = dynamic_cast<const QImage *>(store->paintDevice());
    return image && image->hasAlphaChannel();
}

void DockBar::paintEvent(QPaintEvent *e)
{
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    // The changes of a move lie at both ends of the row and around the
    // pointer: only what touches them is drawn.
    const QRegion dirty = e->region();
    // The bar paints all it covers: nothing beneath it is drawn first. A
    // see-through window's picture is cleared where it is repainted before
    // any widget paints; a grab of the bar is not.
    if (!paintsClearedWindow(p)) {
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

// ---------------------------------------------------------------- pointer

void DockBar::hoverTo(const QString &id)
{
    if (id == m_hover)
        return;
    if (Item *old = item(m_hover)) {
        old->mouseIn = false;
        startHover(old);
    }
    m_hover = id;
    if (Item *it = item(id)) {
        it->mouseIn = true;
        it->hoverSized = true;
        startHover(it);
        if (it->cls == QLatin1String("WEATHER"))
            emit IconMouseIn(it->id, it->cls);
    }
}

void DockBar::cleanUp()
{
    m_clickTimer->stop();
    m_drag = false;
    m_ringTimer->stop();
    if (m_ring)
        m_ring->hide();
}

void DockBar::ringTick()
{
    if (!m_ring) {
        m_ring = new FormTimingFlash(nullptr);
        m_ring->setRange(0, 500);
    }
    const int n = m_ringTicks;
    if (n == 200)
        m_ring->show();
    if (n >= 201 && n <= 500)
        m_ring->setValue(n);
    if (n > 500) {
        m_ringTimer->stop();
        m_ring->hide();
    }
    ++m_ringTicks;
    m_ring->move(QCursor::pos() - QPoint(15, 15));
}

void DockBar::mousePressEvent(QMouseEvent *e)
{
    const QString id = iconAt(e->pos());
    Item *it = item(id);
    if (!it) {
        e->ignore(); // the bar's background: the dock window's own
        return;
    }
    if (it->cls == Temporary)
        return;
    m_pressRect = rectOf(it);
    m_pressClass = it->cls;
    if (e->button() == Qt::LeftButton) {
        m_pressed = id;
        m_rightOnly = false;
        m_clickTimer->start(500);
        m_ringTicks = 0;
        m_ringTimer->start(1);
    } else if (m_pressed.isEmpty()) {
        m_pressed = id; // a right press: the release opens the menu of this icon
        m_rightOnly = true;
    }
}

void DockBar::mouseMoveEvent(QMouseEvent *e)
{
    m_lastMove = m_clock.elapsed();
    advanceWithMove();
    QRect pressed;
    QString cls;
    if (!m_rightOnly && pressedIcon(&pressed, &cls)) {
        const QPoint p = rounded(e, pressed.topLeft());
        const QString id = m_pressed;
        const QSize s = pressed.size();
        QPointer<DockBar> self(this);
        if (cls == QLatin1String("MENU") || cls == QLatin1String("STARTMENU"))
            emit IconMove(id, p, s.width(), s.height(), cls);
        if (!self)
            return;
        if (m_drag && !m_frozen) {
            emit IconPressMove(id, p);
            if (!self)
                return;
            setCursor(Qt::ClosedHandCursor);
        }
        // Each side on its own: one move can leave across two of them.
        if (self && p.y() < 0)
            emit MousePosition(0);
        if (self && p.x() > s.width())
            emit MousePosition(1);
        if (self && p.y() > s.height())
            emit MousePosition(2);
        if (self && p.x() < 0)
            emit MousePosition(3);
        return;
    }
    const QString id = iconAt(e->pos());
    hoverTo(id);
    Item *it = item(id);
    if (!it || it->cls == Temporary)
        return;
    const QPoint p = rounded(e, rectOf(it).topLeft());
    if (it->cls == QLatin1String("MENU") || it->cls == QLatin1String("STARTMENU")) {
        QPointer<DockBar> self(this);
        emit IconMove(id, p, it->size.width(), it->size.height(), it->cls);
        if (!self || !item(id))
            return;
    }
    emit IconMouseMove(id, p);
}

void DockBar::leaveEvent(QEvent *)
{
    if (m_pressed.isEmpty())
        hoverTo(QString());
}

bool DockBar::pressedIcon(QRect *r, QString *cls)
{
    if (m_pressed.isEmpty())
        return false;
    if (const Item *it = item(m_pressed)) {
        m_pressRect = rectOf(it);
        m_pressClass = it->cls;
    }
    *r = m_pressRect;
    *cls = m_pressClass;
    return true;
}

void DockBar::openIcon(const QString &id)
{
    jumpAnimation(id);
    emit IconOpen(id);
}

void DockBar::mouseReleaseEvent(QMouseEvent *e)
{
    QRect pressed;
    QString cls;
    const bool rightOnly = m_rightOnly;
    m_rightOnly = false;
    if (!pressedIcon(&pressed, &cls)) {
        cleanUp();
        e->ignore();
        return;
    }
    const QString id = m_pressed;
    const QPoint p = rounded(e, pressed.topLeft());
    QPointer<DockBar> self(this);
    switch (e->button()) {
    case Qt::LeftButton:
        if (rightOnly)
            break;
        m_pressed.clear();
        // The owner may rebuild the bar in answer to any signal below.
        if (m_drag)
            emit IconPressRelease(id, p);
        else if (!m_doubleClick) {
            if (cls != Blank)
                openIcon(id);
        } else if (cls == QLatin1String("MENU")) {
            openIcon(id);
        }
        if (!self)
            return;
        setCursor(Qt::ArrowCursor);
        cleanUp();
        break;
    case Qt::RightButton:
        if (m_drag || !item(id)) {
            m_pressed.clear();
            cleanUp();
            break;
        }
        m_pressed.clear();
        emit IconMenu(id, 100);
        if (!self)
            return;
        runContextMenu(id);
        if (!self)
            return;
        cleanUp();
        break;
    default:
        if (!rightOnly)
            m_pressed.clear();
        cleanUp();
        break;
    }
    // After a drag the pointer may stand on another icon.
    if (self && m_pressed.isEmpty() && !rect().contains(mapFromGlobal(QCursor::pos())))
        hoverTo(QString());
}

void DockBar::mouseDoubleClickEvent(QMouseEvent *e)
{
    Item *it = item(iconAt(e->pos()));
    if (!it) {
        e->ignore();
        return;
    }
    if (it->cls == Temporary)
        return;
    if (e->button() == Qt::LeftButton) {
        m_pressed = it->id; // its release opens as any other
        m_pressRect = rectOf(it);
        m_pressClass = it->cls;
    }
    qDebug() << "双击";
    if (m_doubleClick && it->cls != Blank)
        openIcon(it->id);
}

void DockBar::runContextMenu(const QString &id)
{
    Item *it = item(id);
    if (!it)
        return;
    // One hidden icon object builds the menus of every class; its entries
    // reach the owner through this bar's signals.
    if (!m_menuOwner) {
        m_menuOwner = new FormCommonIcon(nullptr);
        m_menuOwner->setClickStyle(0);
        connect(m_menuOwner, &FormCommonIcon::IconMenu, this, &DockBar::IconMenu);
        connect(m_menuOwner, &FormCommonIcon::IconOpen, this, &DockBar::openIcon);
    }
    m_menuOwner->setMenuTarget(id, it->cls);
    m_menuOwner->runContextMenu();
}
