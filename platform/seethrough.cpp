#include "seethrough.h"
#include "logging.h"
#include "x11shape.h"

#include <KX11Extras>
#include <netwm.h>
#include <QApplication>
#include <QBackingStore>
#include <QEvent>
#include <QHash>
#include <QSet>
#include <QWidget>
#include <QWindow>
#include <QX11Info>
#include <algorithm>
#include <xcb/xcb.h>

namespace platform {

namespace {

// Watches the translucent windows' pictures while no compositing manager
// runs. It sits in front of every object's events then, and lets through at
// once all but a window's update, expose, show and move.
class Cutter final : public QObject
{
public:
    // What is known of one window; it goes with the window.
    struct Known
    {
        QRegion bound, kept; // as the window system was told; empty: none
        QRegion sent;        // the outline last given; empty: its own
        QImage beneath;      // what lay under it as it opened, at beneathAt
        QPoint beneathAt;
    };

    static Cutter &get()
    {
        static Cutter *c = new Cutter(qApp);
        return *c;
    }

    bool active() const { return m_active; }
    QRegion outlineOf(const QWidget *w) const { return m_windows.value(w).sent; }

    bool setRegion(QWidget *w, QRegion Known::*which, const QRegion &r)
    {
        auto it = m_windows.find(w);
        if (it == m_windows.end()) {
            if (r.isEmpty())
                return false;
            it = track(w);
        }
        if ((*it).*which == r)
            return false;
        (*it).*which = r;
        if (m_active)
            w->update();
        return true;
    }

    void setActive(bool on)
    {
        if (on == m_active)
            return;
        m_active = on;
        qCDebug(lcDesktop) << (on ? "no compositing manager: translucent windows are cut to what they draw"
                                  : "a compositing manager runs: translucent windows are whole again");
        if (on)
            qApp->installEventFilter(this);
        else
            qApp->removeEventFilter(this);
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (!w->testAttribute(Qt::WA_TranslucentBackground) || !w->testAttribute(Qt::WA_WState_Created))
                continue;
            if (on) {
                w->update();
            } else if (auto it = m_windows.find(w); it != m_windows.end() && !it->sent.isEmpty()) {
                it->sent = QRegion();
                restoreOutline(w, *it);
            }
        }
    }

    bool eventFilter(QObject *o, QEvent *e) override
    {
        const QEvent::Type t = e->type();
        if (t != QEvent::UpdateRequest && t != QEvent::Expose && t != QEvent::Show && t != QEvent::Move)
            return false;
        QWidget *w = nullptr;
        if (t == QEvent::Expose) {
            if (!o->isWindowType())
                return false;
            w = QWidget::find(static_cast<QWindow *>(o)->winId());
        } else if (o->isWidgetType()) {
            w = static_cast<QWidget *>(o);
        }
        if (!w || !w->isWindow() || !w->testAttribute(Qt::WA_TranslucentBackground) || m_inside.contains(o))
            return false;
        if (t == QEvent::Move) {
            auto it = m_windows.find(w);
            // Placed before its first picture: the screen there still shows
            // what lies beneath. Later, what lay beneath is somewhere else,
            // and where it lies now cannot be read: the window covers it.
            if (w->windowHandle() && !w->windowHandle()->isExposed() && (it == m_windows.end() || it->sent.isEmpty()))
                captureBeneath(w);
            else if (it != m_windows.end() && it->beneathAt != w->geometry().topLeft())
                it->beneath = QImage();
            return false;
        }
        if (t == QEvent::Show) {
            // While it is not yet mapped the screen shows what lies beneath
            // it, which its half-clear pixels are then drawn over.
            captureBeneath(w);
            // A window shown whole would flash black until its first picture.
            QImage first = w->grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
            apply(w, first, false);
            return false;
        }
        // The picture goes out while the event is handled; the cut follows
        // it at once, before anything else reaches the server.
        m_inside.insert(o);
        QCoreApplication::sendEvent(o, e);
        m_inside.remove(o);
        if (QBackingStore *store = w->backingStore()) {
            QPaintDevice *device = store->paintDevice();
            if (device && device->devType() == QInternal::Image) {
                QImage &picture = *static_cast<QImage *>(device);
                if (picture.hasAlphaChannel())
                    apply(w, picture, true);
            }
        }
        return true;
    }

private:
    explicit Cutter(QObject *parent) : QObject(parent)
    {
        connect(KX11Extras::self(), &KX11Extras::compositingChanged, this, [this](bool on) { setActive(!on); });
    }

    QHash<const QWidget *, Known>::iterator track(QWidget *w)
    {
        connect(w, &QObject::destroyed, this, [this, w] { m_windows.remove(w); });
        return m_windows.insert(w, Known());
    }

    Known &windowOf(QWidget *w)
    {
        const auto it = m_windows.find(w);
        return it != m_windows.end() ? *it : *track(w);
    }

    // Gives a window back the outline it has of its own: its mask, or all of
    // it, but its bound where the window manager's frames need that.
    static void restoreOutline(QWidget *w, const Known &known)
    {
        const qreal dpr = w->devicePixelRatioF();
        QRegion mask = nativeRegion(w->mask(), dpr);
        if (!known.bound.isEmpty() && SeeThrough::framesFollowOutlines())
            mask = mask.isEmpty() ? nativeRegion(known.bound, dpr) : mask & nativeRegion(known.bound, dpr);
        sendShape(QX11Info::connection(), xcb_window_t(w->winId()), XCB_SHAPE_SK_BOUNDING, mask);
    }

    void captureBeneath(QWidget *w)
    {
        const QRect g = w->geometry();
        const QRect native = nativeRegion(g, w->devicePixelRatioF()).boundingRect();
        Known &known = windowOf(w);
        known.beneath = QImage();
        if (native.isEmpty())
            return;
        xcb_connection_t *c = QX11Info::connection();
        const xcb_window_t root = xcb_window_t(QX11Info::appRootWindow());
        xcb_get_image_reply_t *reply = xcb_get_image_reply(
            c,
            xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, root, qint16(native.x()), qint16(native.y()),
                          quint16(native.width()), quint16(native.height()), ~0u),
            nullptr);
        if (!reply)
            return; // partly off the screen: drawn as if over nothing
        const int length = xcb_get_image_data_length(reply);
        if (reply->depth >= 24 && length == native.width() * native.height() * 4) {
            known.beneath = QImage(xcb_get_image_data(reply), native.width(), native.height(), native.width() * 4,
                                   QImage::Format_RGB32)
                                .copy();
            known.beneathAt = g.topLeft();
        }
        free(reply);
    }

    void apply(QWidget *w, QImage &picture, bool shown)
    {
        if (!w->windowHandle())
            return;
        Known &known = windowOf(w);
        const qreal dpr = w->devicePixelRatioF();
        QRegion within(QRect(QPoint(0, 0), picture.size()));
        if (!known.bound.isEmpty())
            within &= nativeRegion(known.bound, dpr);
        if (!w->mask().isEmpty())
            within &= nativeRegion(w->mask(), dpr);
        QRegion touched;
        QRegion *rows = shown ? &touched : nullptr;
        QRegion outline = SeeThrough::cut(picture, within, nativeRegion(known.kept, dpr) & within, rows, known.beneath);
        // A window that draws nothing but takes the pointer is there for it
        // (an edge strip): all of it stays, drawn over what lies beneath.
        const bool takesPointer = !w->windowFlags().testFlag(Qt::WindowTransparentForInput)
            && !w->testAttribute(Qt::WA_TransparentForMouseEvents);
        if (outline.isEmpty() && !within.isEmpty() && takesPointer)
            outline = SeeThrough::cut(picture, within, within, rows, known.beneath);
        if (!touched.isEmpty())
            w->backingStore()->flush(nativeRegion(touched, 1 / dpr), w->windowHandle());
        // An outline of nothing would never be exposed, and so never painted.
        if (outline.isEmpty())
            outline = QRect(0, 0, 1, 1);
        if (known.sent == outline)
            return;
        known.sent = outline;
        sendShape(QX11Info::connection(), xcb_window_t(w->winId()), XCB_SHAPE_SK_BOUNDING, outline);
    }

    bool m_active = false;
    QSet<QObject *> m_inside;
    QHash<const QWidget *, Known> m_windows;
};

bool onX11() { return QX11Info::isPlatformX11() && qApp; }

} // namespace

bool SeeThrough::setBound(QWidget *w, const QRegion &region)
{
    return onX11() && Cutter::get().setRegion(w, &Cutter::Known::bound, region);
}

bool SeeThrough::setKept(QWidget *w, const QRegion &region)
{
    return onX11() && Cutter::get().setRegion(w, &Cutter::Known::kept, region);
}

bool SeeThrough::framesFollowOutlines()
{
    if (!onX11())
        return false;
    // Read once: window managers are seldom replaced under a running program.
    static const bool follow = [] {
        const NETRootInfo root(QX11Info::connection(), NET::SupportingWMCheck);
        const QString name = QString::fromUtf8(root.wmName());
        static const QStringList inputAware = { QStringLiteral("Openbox"), QStringLiteral("KWin"),
                                                QStringLiteral("Mutter"), QStringLiteral("GNOME Shell"),
                                                QStringLiteral("Xfwm4"), QStringLiteral("Compiz"),
                                                QStringLiteral("Marco"), QStringLiteral("Muffin") };
        const bool aware = std::any_of(inputAware.begin(), inputAware.end(), [&name](const QString &n) {
            return name.startsWith(n, Qt::CaseInsensitive);
        });
        qCDebug(lcDesktop) << "window manager" << name
                           << (aware ? "follows input shapes" : "is given outlines that follow the input shape");
        return !aware;
    }();
    return follow;
}

void SeeThrough::ensure()
{
    if (onX11())
        Cutter::get().setActive(!KX11Extras::compositingActive());
}

bool SeeThrough::active()
{
    return onX11() && Cutter::get().active();
}

QRegion SeeThrough::outlineOf(const QWidget *w)
{
    return onX11() ? Cutter::get().outlineOf(w) : QRegion();
}

QRegion SeeThrough::cut(QImage &image, const QRegion &within, const QRegion &keep, QRegion *touched,
                        const QImage &beneath)
{
    if (image.format() != QImage::Format_ARGB32_Premultiplied && image.format() != QImage::Format_ARGB32)
        return QRegion();
    // Over a picture of what lies beneath even a faint shadow shows right;
    // over nothing, a pixel shows only where it is mostly the window's own.
    constexpr int OverThreshold = 32, AloneThreshold = 128;
    const bool premultiplied = image.format() == QImage::Format_ARGB32_Premultiplied;
    const QImage under = beneath.isNull() || beneath.format() == QImage::Format_RGB32
        ? beneath
        : beneath.convertToFormat(QImage::Format_RGB32);
    const QRect box(QPoint(0, 0), image.size());
    const QRegion area = within & box;
    const QRegion kept = keep & area;
    // Rectangles banded from the top: the runs of the row above that are
    // still open, each growing downwards while the next row has the very
    // same runs.
    QVector<QRect> out, open, runs;
    int lastRow = -2;
    auto closeBand = [&] {
        out += open;
        open.clear();
    };
    // One row's spans of a region, left to right.
    auto spans = [](const QRegion &r, int y, QVector<QPair<int, int>> *into) {
        into->clear();
        for (const QRect &q : r) {
            if (q.top() > y)
                break;
            if (q.bottom() >= y)
                into->append({ q.left(), q.right() });
        }
    };
    QVector<QPair<int, int>> areaSpans, keptSpans;
    const QRect bounds = area.boundingRect();
    for (int y = bounds.top(); y <= bounds.bottom(); ++y) {
        spans(area, y, &areaSpans);
        spans(kept, y, &keptSpans);
        runs.clear();
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        const QRgb *below = y < under.height() ? reinterpret_cast<const QRgb *>(under.constScanLine(y)) : nullptr;
        const int belowWidth = below ? under.width() : 0;
        bool changed = false;
        int k = 0;
        for (const auto &span : areaSpans) {
            int start = -1;
            for (int x = span.first; x <= span.second + 1; ++x) {
                bool in = false;
                if (x <= span.second) {
                    while (k < keptSpans.size() && keptSpans[k].second < x)
                        ++k;
                    const bool held = k < keptSpans.size() && keptSpans[k].first <= x;
                    QRgb &p = line[x];
                    const int a = qAlpha(p);
                    const bool over = x < belowWidth;
                    in = held || a >= (over ? OverThreshold : AloneThreshold);
                    if (in && a < 255) {
                        const QRgb q = premultiplied ? p : qPremultiply(p);
                        if (over) {
                            const QRgb b = below[x];
                            const int rest = 255 - a;
                            p = qRgb(qRed(q) + (qRed(b) * rest + 127) / 255, qGreen(q) + (qGreen(b) * rest + 127) / 255,
                                     qBlue(q) + (qBlue(b) * rest + 127) / 255);
                        } else if (a > 0) {
                            // Shown at its own colour: undo the blend with the
                            // clear black the server would show.
                            p = qRgb(qMin(255, qRed(q) * 255 / a), qMin(255, qGreen(q) * 255 / a),
                                     qMin(255, qBlue(q) * 255 / a));
                        } else {
                            p = qRgb(0, 0, 0);
                        }
                        changed = true;
                    }
                }
                if (in) {
                    if (start < 0)
                        start = x;
                } else if (start >= 0) {
                    if (!runs.isEmpty() && runs.last().right() + 1 == start)
                        runs.last().setRight(x - 1);
                    else
                        runs.append(QRect(start, y, x - start, 1));
                    start = -1;
                }
            }
        }
        if (changed && touched)
            *touched += QRect(0, y, image.width(), 1);
        bool same = lastRow == y - 1 && runs.size() == open.size();
        for (int i = 0; same && i < runs.size(); ++i)
            same = runs[i].left() == open[i].left() && runs[i].right() == open[i].right();
        if (same) {
            for (QRect &r : open)
                r.setBottom(y);
        } else {
            closeBand();
            open = runs;
        }
        lastRow = y;
    }
    closeBand();
    QRegion region;
    region.setRects(out.constData(), out.size());
    return region;
}

} // namespace platform
