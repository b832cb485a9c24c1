#include "dockbar.h"

#include "dock/icons/dockface.h"
#include "dock/icons/formcommonicon.h"
#include "dock/icons/formtimingflash.h"
#include "dock/icons/iconpictures.h"
#include "dock/model/dockiconlist.h"
#include "dock/icons/magnify.h"

#include <QCursor>
#include <QDebug>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QSet>
#include <QTimer>
#include <QVariantAnimation>

namespace {

const QString Blank = QStringLiteral("BLANK");
const QString Temporary = QStringLiteral("Temporary");
const QString PlusPicture = QStringLiteral(":/image/icon/plus.png");

QPoint rounded(const QMouseEvent *e, const QPoint &origin)
{
    return QPoint(qRound(e->localPos().x()), qRound(e->localPos().y())) - origin;
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
    QVariantAnimation *sizeAnim = nullptr; // one per icon, reused
    QPointer<QVariantAnimation> moveAnim;
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
    connect(m_frameTimer, &QTimer::timeout, this, &DockBar::flushDirty);
    m_sincePaint.start();
}

// A pointer move, the relayout it starts and every running size animation
// each change a few rectangles; painted one by one, each would cost the
// window a full repaint cycle and a round trip to the display. The first
// change after a quiet frame is painted at once, the next ones wait for the
// frame to end and go together.
void DockBar::dirty(const QRegion &r)
{
    if (r.isEmpty())
        return;
    if (m_updatePosted || (!m_frameTimer->isActive() && m_sincePaint.elapsed() >= FrameMs)) {
        m_updatePosted = true;
        update(r);
        return;
    }
    m_dirty += r;
    if (!m_frameTimer->isActive())
        m_frameTimer->start(qMax(MinDelayMs, FrameMs - int(m_sincePaint.elapsed())));
}

void DockBar::flushDirty()
{
    if (m_dirty.isEmpty())
        return;
    m_updatePosted = true;
    update(m_dirty);
    m_dirty = QRegion();
}

DockBar::~DockBar()
{
    delete m_ring;
    delete m_menuOwner;
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
    if (it->sizeAnim)
        it->sizeAnim->stop();
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
    dirty(m_backgroundRect);
    m_backgroundRect = r;
    dirty(r);
}

void DockBar::setStripRect(const QRect &r)
{
    if (r == m_strip)
        return;
    // Everything in the strip moves with it; only what shows changes.
    const QRegion before = iconRegion();
    m_strip = r;
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
        if ((it->sizeAnim && it->sizeAnim->state() == QAbstractAnimation::Running) || it->moveAnim)
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
        if (it->size != restSize(it) || it->moveAnim
            || (it->sizeAnim && it->sizeAnim->state() == QAbstractAnimation::Running))
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

// One animation per icon, run only while the size differs from its target.
void DockBar::animateSize(Item *it, const QSize &end)
{
    if (!it->sizeAnim) {
        it->sizeAnim = new QVariantAnimation(this);
        const QString id = it->id;
        connect(it->sizeAnim, &QVariantAnimation::valueChanged, this, [this, id](const QVariant &v) {
            if (Item *i = item(id))
                resizeItem(i, v.toSize());
        });
    }
    if (it->sizeAnim->state() != QAbstractAnimation::Running && it->size == end)
        return;
    it->sizeAnim->setDuration(300);
    it->sizeAnim->setStartValue(it->size);
    it->sizeAnim->setEndValue(end);
    it->sizeAnim->setEasingCurve(QEasingCurve::OutBack);
    if (it->sizeAnim->state() != QAbstractAnimation::Running)
        it->sizeAnim->start();
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
    if (it->sizeAnim)
        it->sizeAnim->stop();
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
        if (it->sizeAnim)
            it->sizeAnim->stop();
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
        const bool running = it->sizeAnim && it->sizeAnim->state() == QAbstractAnimation::Running;
        if (it->hoverSized || (it->size != rest && !running))
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
    if (it->moveAnim)
        it->moveAnim->stop();
    auto *a = new QVariantAnimation(this);
    it->moveAnim = a;
    a->setDuration(88);
    a->setStartValue(it->pos);
    a->setEndValue(p);
    a->setEasingCurve(QEasingCurve::Linear);
    connect(a, &QVariantAnimation::valueChanged, this, [this, id](const QVariant &v) {
        if (Item *i = item(id))
            moveItem(i, v.toPoint());
    });
    a->start(QAbstractAnimation::DeleteWhenStopped);
}

void DockBar::placeAt(const QString &id, const QPoint &p)
{
    Item *it = item(id);
    if (!it)
        return;
    if (it->moveAnim)
        it->moveAnim->stop();
    moveItem(it, p);
}

void DockBar::jumpAnimation(const QString &id)
{
    Item *it = item(id);
    if (!it || it->cls == QLatin1String("MENU") || m_clickStyle != 1)
        return;
    auto *a = new QVariantAnimation(this);
    a->setDuration(700);
    a->setKeyValueAt(0, it->jumpY);
    a->setKeyValueAt(0.2, 0);
    a->setKeyValueAt(0.3, 20);
    a->setKeyValueAt(0.6, 0);
    a->setKeyValueAt(0.9, 20);
    a->setEndValue(5);
    a->setEasingCurve(QEasingCurve::OutQuad);
    connect(a, &QVariantAnimation::valueChanged, this, [this, id](const QVariant &v) {
        if (Item *i = item(id)) {
            i->jumpY = v.toInt();
            dirty(rectOf(i));
        }
    });
    a->start(QAbstractAnimation::DeleteWhenStopped);
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
    auto *a = new QVariantAnimation(this);
    a->setDuration(500);
    a->setStartValue(-int(it->magnified));
    a->setEndValue(0);
    connect(a, &QVariantAnimation::valueChanged, this, [this, id](const QVariant &v) {
        if (Item *i = item(id)) {
            i->slideY = v.toInt();
            dirty(rectOf(i));
        }
    });
    a->start(QAbstractAnimation::DeleteWhenStopped);
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
        if (it->moveAnim)
            it->moveAnim->stop();
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
    p.save();
    p.setClipRect(r);
    QRect pic = pictureOf(it);
    if (it->slideY)
        pic.translate(0, it->slideY);
    if (it->face && pic.width() > 0 && pic.height() > 0)
        p.drawPixmap(pic, faceAt(const_cast<Item *>(it), pic.size()));
    p.restore();
}

// The face at a size step of 8 pixels at or above the size asked for, drawn
// once: while an icon grows and shrinks its picture is only scaled down a
// little, never decoded or scaled from its file again.
QPixmap DockBar::faceAt(Item *it, const QSize &size)
{
    const QSize step((size.width() + 7) / 8 * 8, (size.height() + 7) / 8 * 8);
    const quint32 key = quint32(step.width()) << 16 | quint32(step.height());
    auto found = it->renders.constFind(key);
    if (found != it->renders.constEnd())
        return *found;
    if (it->renders.size() >= 16)
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
    const int top = (int(m_M) - 10 + 7) / 8 * 8;
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
    if (b.fill.alpha() > 0) {
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(b.fill);
        p.drawRoundedRect(QRectF(r), b.radius, b.radius);
        p.restore();
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

void DockBar::paintEvent(QPaintEvent *e)
{
    m_updatePosted = false;
    m_sincePaint.restart();
    // What waits for the next frame is painted now if it lies in this one.
    if (!m_dirty.isEmpty()) {
        m_dirty -= e->region();
        if (m_dirty.isEmpty())
            m_frameTimer->stop();
    }
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect dirty = e->rect();
    // The bar paints all it covers: nothing beneath it is drawn first.
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(dirty, Qt::transparent);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (m_backgroundRect.intersects(dirty))
        paintBackground(p);
    for (const Item *it : qAsConst(m_items)) {
        if (!it->hidden && rectOf(it).intersects(dirty))
            paintItem(p, it);
    }
    if (m_placeholderShown) {
        const QRect r = placeholderRect().translated(m_strip.topLeft());
        const QRect pic = r.adjusted(5, 5, -5, -5);
        if (r.intersects(dirty)) {
            const QPixmap pm = IconPictures::scaled(PlusPicture, pic.size());
            if (!pm.isNull())
                p.drawPixmap(pic.topLeft(), pm);
        }
    }
}

void DockBar::showEvent(QShowEvent *e)
{
    QWidget::showEvent(e);
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
