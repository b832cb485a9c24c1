#include "dockbar.h"
#include "dockbar_p.h"

#include "dock/icons/barpointer.h"
#include "dock/icons/dockface.h"
#include "dock/icons/iconpictures.h"
#include "dock/model/dockiconlist.h"
#include "dock/icons/magnify.h"

#include <QBackingStore>
#include <QCoreApplication>
#include <QCursor>
#include <QDebug>
#include <QEasingCurve>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QPointer>
#include <QTimer>


DockBar::DockBar(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_NoSystemBackground);
    m_pointer = new BarPointer(this);
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
    qDeleteAll(m_items);
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
    m_hoverAt.reset();
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
            forgetFace(it);
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
        forgetFace(it);
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
    forgetFace(it);
    it->face = DockFace::create(it->cls, it->picture, this);
    it->face->setEdge(m_edge);
    it->face->setName(it->name);
    it->face->setActive(isVisible());
    DockFace *face = it->face;
    connect(face, &DockFace::changed, this, [this, face] {
        for (Item *i : qAsConst(m_items)) {
            if (i->face != face)
                continue;
            forgetFace(i);
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
    m_hoverAt.reset();
    for (Item *it : qAsConst(m_items)) {
        // The spacer's picture turns with the bar.
        it->face->setEdge(edge);
        forgetFace(it);
        applySize(it);
    }
    update();
}

void DockBar::setIconSizes(float magnified, float normal)
{
    m_hoverAt.reset();
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
    if (IconClasses::of(it->cls).is(IconRule::PopUpBeside))
        emit IconMove(it->id, p, it->size.width(), it->size.height(), it->cls);
}

void DockBar::setBackground(const Background &b)
{
    m_background = b;
    m_pieces.clear();
    m_shownValid = false; // its pixels move no more as they were
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
    if (!m_hover.isEmpty() || !m_pointer->isIdle())
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

QRegion DockBar::drawnRegion() const
{
    QRegion r = iconRegion();
    const Background &b = m_background;
    // A clear background is not drawn (the pictures and the fill as painted).
    if (b.fill.alpha() > 0 || !b.first.isEmpty() || !b.middle.isEmpty() || !b.last.isEmpty())
        r += m_backgroundRect;
    return r;
}

// ---------------------------------------------------------------- the row

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
    m_shownValid = false;
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
    if (it && IconClasses::of(it->cls).face == IconFace::Drive && it->face)
        it->face->setDrive(drive);
}

void DockBar::setWeather(const QString &name, const QString &stateDetailed, const QString &temNow,
                         const QString &state)
{
    for (Item *it : qAsConst(m_items)) {
        if (IconClasses::of(it->cls).face == IconFace::Weather && it->face)
            it->face->setWeather(name, stateDetailed, temNow, state);
    }
}
// ---------------------------------------------------------------- pointer

void DockBar::hoverTo(const QString &id)
{
    if (id == m_hover)
        return;
    if (id.isEmpty())
        m_hoverAt.reset();
    if (Item *old = item(m_hover)) {
        old->mouseIn = false;
        startHover(old);
    }
    m_hover = id;
    if (Item *it = item(id)) {
        it->mouseIn = true;
        it->hoverSized = true;
        startHover(it);
        if (IconClasses::of(it->cls).face == IconFace::Weather)
            emit IconMouseIn(it->id, it->cls);
    }
}

QString DockBar::iconClass(const QString &id) const
{
    const Item *it = item(id);
    return it ? it->cls : QString();
}

void DockBar::mousePressEvent(QMouseEvent *e)
{
    if (!m_pointer->press(e))
        e->ignore(); // the bar's background: the dock window's own
}

void DockBar::mouseMoveEvent(QMouseEvent *e)
{
    // The toolkit drops a move to where the last one it delivered stood, but
    // knows nothing of the moves the bar makes itself (on an enter, or after
    // a pointer held beside the bar): before a press there it delivers one
    // more. The icons' sizes follow where the pointer stands on the icon as
    // it stands now, so that move would shift them under a resting pointer
    // and the press would land beside the icon drawn there. A move that goes
    // nowhere is no move.
    if (e->buttons() == Qt::NoButton && m_pointer->isIdle()) {
        if (m_hoverAt == e->globalPos())
            return;
        m_hoverAt = e->globalPos();
    }
    m_lastMove = m_clock.elapsed();
    advanceWithMove();
    m_pointer->move(e);
}

void DockBar::mouseReleaseEvent(QMouseEvent *e)
{
    if (!m_pointer->release(e))
        e->ignore();
}

void DockBar::mouseDoubleClickEvent(QMouseEvent *e)
{
    if (!m_pointer->doubleClick(e))
        e->ignore();
}

// A pointer that jumps onto the bar may bring no move with its enter (the
// toolkit drops a move to where the last one it saw stood): the enter is
// the first move.
void DockBar::enterEvent(QEvent *e)
{
    const auto *enter = dynamic_cast<QEnterEvent *>(e);
    // With a button held the pointer belongs to whatever it was pressed on.
    if (!enter || !m_pointer->isIdle() || QGuiApplication::mouseButtons() != Qt::NoButton)
        return;
    QMouseEvent move(QEvent::MouseMove, enter->localPos(), enter->windowPos(), enter->screenPos(), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    mouseMoveEvent(&move);
}

void DockBar::leaveEvent(QEvent *)
{
    m_pointer->leave();
}

void DockBar::setDoubleClick(bool b)
{
    m_pointer->setDoubleClick(b);
}
