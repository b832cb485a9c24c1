#include "docklayout.h"

#include <cmath>

namespace DockLayout {

int taskbarSide(const QRect &a, const QRect &s)
{
    // Relative to the screen: a screen that does not start at 0 has no taskbar
    // merely because of where it stands.
    if (a.left() > s.left())
        return 3;
    if (a.right() - a.left() < s.right() - s.left())
        return 1;
    if (a.top() > s.top())
        return 0;
    if (a.bottom() - a.top() < s.bottom() - s.top())
        return 2;
    return NoTaskbar;
}

float hoverGrowth(int rows, int blanks, float normal, float magnified)
{
    const int icons = rows - blanks;
    if (icons <= 0 || !(magnified > normal))
        return 0;
    return float(qMin(icons, 2)) * (magnified - normal);
}

Fit fitCheck(float normal, int rows, int blanks, int length, float magnified)
{
    Fit fit;
    const float icons = float(rows - blanks) + float(blanks) * 0.4f;
    const float rest = normal * float(rows - blanks) + float(blanks) * blankLength(normal) + 2 * BackgroundInset;
    const float growth = hoverGrowth(rows, blanks, normal, magnified);
    if (!(rest + growth > float(length)) || icons <= 0)
        return fit;
    // At size n the grown row takes n * (icons - g) + g * M + the insets,
    // g icons grown to the magnified size M, which a smaller size leaves as
    // it is. Where even the grown icons alone overflow, no size helps: only
    // the row at rest is made to fit.
    const float g = growth > 0 ? float(qMin(rows - blanks, 2)) : 0.f;
    const float room = float(length - 2 * BackgroundInset) - g * magnified;
    if (growth > 0 && (icons - g <= 0 || room <= 0)) {
        if (!(rest > float(length)))
            return fit;
        fit.size = int(float(length - 2 * BackgroundInset) / icons);
    } else {
        fit.size = int(growth > 0 ? room / (icons - g) : float(length - 2 * BackgroundInset) / icons);
    }
    fit.overflow = true;
    // Rounding must never hand back the size that overflowed, or the row
    // would be shrunk to the same size for ever.
    const int below = int(std::ceil(normal)) - 1;
    if (fit.size > below)
        fit.size = below;
    if (fit.size < 1)
        fit.size = 1;
    return fit;
}

Span freeSpan(int edge, const QRect &screen, const QRect &available)
{
    QRect free = available & screen;
    if (free.isEmpty())
        free = screen;
    Span s;
    if (isHorizontal(edge)) {
        s.start = free.left() - screen.left();
        s.length = free.width();
    } else {
        s.start = free.top() - screen.top();
        s.length = free.height();
    }
    return s;
}

QPoint firstPlace(int edge, int i, float normal, float magnified)
{
    const int along = int(float(i) * normal);
    switch (edge) {
    case 0: return QPoint(along, 0);
    case 1: return QPoint(0, along);
    case 2: return QPoint(along, int(magnified - normal));
    case 3: return QPoint(0, along);
    default: return QPoint();
    }
}

QPoint rowPlace(int edge, int x, int y, QSize s, float magnified)
{
    switch (edge) {
    case 0: return QPoint(x, 0);
    case 1: return QPoint(int(magnified - float(s.width())), y);
    case 2: return QPoint(x, int(magnified - float(s.height())));
    case 3: return QPoint(0, y);
    default: return QPoint(x, y);
    }
}

BarSizes barSizes(int edge, int a, int b, int W, int H, float M, int n, int configured, int p)
{
    BarSizes s;
    const int depth = int(float(TopAllowance) + M);
    switch (edge) {
    case 0: s.main = QSize(W, int(float(TopAllowance) + M + float(BottomAllowance))); break;
    case 2: s.main = QSize(W, depth); break;
    default: s.main = QSize(depth, H); break;
    }
    switch (edge) {
    case 0:
    case 2: s.frameIco = QSize(a, int(M)); break;
    case 1: s.frameIco = QSize(int(M), b); break;
    default: s.frameIco = QSize(int(float(BottomAllowance) + M), b); break;
    }
    if (isHorizontal(edge))
        s.background = QSize(a + 2 * BackgroundInset + 2 * p, configured);
    else
        s.background = QSize(configured, b + 2 * BackgroundInset + 2 * p);
    if (edge == 1 || edge == 2) {
        s.icoAcross = TopAllowance;
        s.backgroundAcross = int(float(TopAllowance) + M - float(n));
    }
    return s;
}

namespace {
// Qt keeps widget coordinates within about ±16 million (QWIDGETSIZE_MAX).
constexpr qint64 WidgetLimit = 16777215;
} // namespace

Along alongPlace(int L, int f, int g, int c, int wx, int bx)
{
    Along r;
    const int half = L / 2;
    if (L < f && half != 0 && c != f / 2) {
        // A row longer than the window follows the pointer, so that both of
        // its ends can be reached. The background moves with the icons.
        // The products outgrow int with a few thousand icons: 64 bits, and
        // the places kept to what a widget can stand at.
        const qint64 q = qint64(c) + wx + bx;
        const qint64 over = qint64(g) - L;
        const qint64 shift = over * (half - q) / half / 2;
        const qint64 start = (qint64(L) - f) / 2;
        const qint64 ico = c < f / 2 ? start + shift + 6 : start - (q - half) * over / half / 2 - 6;
        const qint64 background = (qint64(L) - g) / 2 + shift;
        r.ico = int(qBound<qint64>(-WidgetLimit, ico, WidgetLimit));
        r.background = int(qBound<qint64>(-WidgetLimit, background, WidgetLimit));
        return r;
    }
    r.ico = (L - f) / 2;
    r.background = (L - g) / 2;
    return r;
}

Along alongPlace(const Span &free, int f, int g, int c, int wx, int bx)
{
    Along r = alongPlace(free.length, f, g, c - free.start, wx, bx - free.start);
    r.ico += free.start;
    r.background += free.start;
    return r;
}

QPoint frameAreaPoint(int edge, bool shown, QSize s)
{
    switch (edge) {
    case 0: return shown ? QPoint(0, -20) : QPoint(0, -s.height());
    case 1: return shown ? QPoint(20, 0) : QPoint(s.width(), 0);
    case 2: return shown ? QPoint(0, 20) : QPoint(0, s.height());
    case 3: return shown ? QPoint(-20, 0) : QPoint(-s.width(), 0);
    default: return QPoint();
    }
}

QPoint slideHiddenPoint(int edge, QSize s)
{
    switch (edge) {
    case 0: return QPoint(0, -s.height());
    case 1: return QPoint(s.width(), 0);
    case 2: return QPoint(0, s.height());
    case 3: return QPoint(-s.width(), 0);
    default: return QPoint();
    }
}

Placement placeBar(const PlacementInput &in)
{
    Placement p;
    const QRect &S = in.screen;
    const QRect &A = in.available;
    const int depth = int(float(in.margin) + in.magnified + float(TopAllowance));
    const QSize bg = in.background;
    // The strip lies along the background, which stands in the middle of
    // the free part of the screen.
    const Span free = freeSpan(in.edge, S, A);
    const int along = free.start + (free.length - (isHorizontal(in.edge) ? bg.width() : bg.height())) / 2;
    switch (in.edge) {
    case 0: {
        // `main` lies in the window, which already stands on the screen: only
        // a taskbar on the same edge pushes it down.
        const int y0 = in.taskbar == 0 ? A.top() - S.top() : 0;
        p.main = QPoint(0, y0 + in.margin);
        p.strip = QRect(S.x() + along, S.y() + p.main.y(), bg.width(), 2);
        break;
    }
    case 1: {
        const int w0 = in.taskbar == 1 ? A.right() - S.left() : S.right() - S.left();
        p.main = QPoint(w0 + 1 - depth, 0);
        p.strip = QRect(S.x() + p.main.x() + in.main.width() - 2, S.y() + along, 2, bg.height());
        break;
    }
    case 2: {
        int h0 = in.taskbar == 2 ? A.bottom() - S.top() : S.bottom() - S.top();
        if (in.launchPadOpen)
            h0 = S.bottom() - S.top();
        p.main = QPoint(0, h0 + 1 - depth);
        p.strip = QRect(S.x() + along, S.y() + p.main.y() + in.main.height() - 2, bg.width(), 2);
        break;
    }
    case 3:
        p.main = QPoint(in.taskbar == 3 ? A.left() - S.left() + in.margin : in.margin, 0);
        p.strip = QRect(S.x() + p.main.x(), S.y() + along, 2, bg.height());
        break;
    default:
        break;
    }
    return p;
}

HoverPlaces hoverPlaces(const HoverInput &in)
{
    HoverPlaces h;
    const float M = in.magnified;
    const int fw = in.bubble.width(), fh = in.bubble.height();
    const int sw = in.weather.width(), sh = in.weather.height();
    const QRect &main = in.main;
    const QRect &ico = in.frameIco;
    const float alongX = float(main.x() + ico.x() + in.icon.x()) + M / 2;
    const float alongY = float(ico.y() + in.icon.y()) + M / 2;
    switch (in.edge) {
    case 0:
        h.bubble = QPoint(int(alongX - float(fw / 2)), main.y() + ico.height() + 10);
        h.weather = QPoint(int(float(in.window.x()) + alongX - float(sw / 2)), int(float(in.window.y() + main.y()) + M));
        break;
    case 1:
        h.bubble = QPoint(main.x() - fw + 10, int(alongY - float(fh / 2)));
        h.weather = QPoint(int(float(in.window.x() + main.x() - sw) + in.normal),
                           int(float(in.window.y()) + alongY - float(sh / 2)));
        break;
    case 2:
        h.bubble = QPoint(int(alongX - float(fw / 2)), main.y() + main.height() - ico.y() - ico.height() - fh + 10);
        // The scene stands on the magnified icons, as it hangs below them on a top bar.
        h.weather = QPoint(int(float(in.window.x()) + alongX - float(sw / 2)),
                           in.window.y() + main.y() + ico.y() - sh);
        break;
    case 3:
        h.bubble = QPoint(main.x() + ico.width() + 10, int(alongY - float(fh / 2)));
        h.weather = QPoint(int(float(in.window.x() + main.x()) + in.normal),
                           int(float(in.window.y()) + alongY - float(sh / 2)));
        break;
    default:
        break;
    }
    return h;
}

int takeWheelNotches(int &pending, int delta)
{
    pending += delta;
    const int notches = pending / 120; // toward zero: the rest keeps its sign
    pending -= notches * 120;
    return notches;
}

} // namespace DockLayout
