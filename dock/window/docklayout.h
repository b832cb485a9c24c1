#pragma once
// The arithmetic of the dock bar, kept apart from the widgets so that every
// screen, edge and size can be checked without a window.
//
// Edges: 0 top, 1 right, 2 bottom, 3 left; 4 stands for "no taskbar".
// Rectangles are Qt's (right() and bottom() inclusive). Integer divisions
// round toward zero and float sums are truncated at the end, as the widgets
// take whole pixels.

#include <QPoint>
#include <QRect>
#include <QSize>

namespace DockLayout {

constexpr int TopAllowance = 25;     // bar depth beyond the magnified size
constexpr int BottomAllowance = 5;   // extra depth on a top bar, extra width on a left bar
constexpr int BackgroundInset = 6;   // background overhang beyond the first and last icon
constexpr int NoTaskbar = 4;

inline bool isHorizontal(int edge) { return edge == 0 || edge == 2; }

// The side of the screen that the panel of the desktop takes away, judged
// from the screen and its available part, both in the same coordinates.
int taskbarSide(const QRect &available, const QRect &screen);

// Length along the bar that a BLANK spacer takes of a normal size.
inline float blankLength(float normal) { return normal / 2.5f; }

// The fit check: whether `rows` icons (of which `blanks` are spacers) at
// `normal` overflow `length` pixels with the background inset on both ends,
// and with the growth of the hovered icons towards `magnified`: the pointer
// grows two icons' worth at most (the hovered one, and its two neighbours
// sharing one more), while a spacer never grows along the bar. When they
// overflow, `size` is the normal size that makes them fit, grown too.
struct Fit
{
    bool overflow = false;
    int size = 0;
};
Fit fitCheck(float normal, int rows, int blanks, int length, float magnified = 0);
// The length along the bar that hovering adds to a row at `normal` at most.
float hoverGrowth(int rows, int blanks, float normal, float magnified);

// The part of the window's length along the bar that the row may take: the
// free part of the screen (without the desktop's panels), in the window's
// coordinates, which start at the screen's corner.
struct Span
{
    int start = 0;
    int length = 0;
};
Span freeSpan(int edge, const QRect &screen, const QRect &available);

// Where createIcon first puts the icon of row i.
QPoint firstPlace(int edge, int i, float normal, float magnified);
// Where the relayout puts an icon of size `iconSize` at running offsets (x, y).
QPoint rowPlace(int edge, int x, int y, QSize iconSize, float magnified);

// Sizes of the frames for a row of length a (edges 0, 2) or b (edges 1, 3).
struct BarSizes
{
    QSize main;          // also frameMain's size
    QSize frameIco;
    QSize background;    // frameBackground
    int icoAcross = 0;   // coordinate of frameIco across the edge, inside frameMain
    int backgroundAcross = 0;
};
BarSizes barSizes(int edge, int a, int b, int windowW, int windowH, float magnified, int normal,
                  int configured, int sideWidth);

// Position of frameIco and frameBackground along the edge. `length` is the
// window's width (edges 0, 2) or height; f and g the frames' lengths; c the
// pointer's coordinate, wx the window's and bx the background's current one.
struct Along
{
    int ico = 0;
    int background = 0;
};
Along alongPlace(int length, int f, int g, int c, int wx, int bx);
// The same inside the free span of the window: the row centred in it, a row
// longer than it following the pointer across it.
Along alongPlace(const Span &free, int f, int g, int c, int wx, int bx);

// frameArea (as large as the window) slid in beside the bar or out of sight.
QPoint frameAreaPoint(int edge, bool shown, QSize areaSize);
// The point outside `main` to which frameMain slides when the bar hides.
QPoint slideHiddenPoint(int edge, QSize mainSize);

// Placement of `main` in the window and of the edge strip on the screen.
struct Placement
{
    QPoint main;
    QRect strip;     // screen coordinates
};
struct PlacementInput
{
    int edge = 2;
    QRect screen;        // S
    QRect available;     // A
    int taskbar = NoTaskbar;
    int margin = 0;
    float magnified = 128;
    QSize main;          // current size of `main`
    QSize background;    // current size of frameBackground
    bool launchPadOpen = false;
};
Placement placeBar(const PlacementInput &in);

// The name bubble and the weather scene beside the hovered icon.
struct HoverPlaces
{
    QPoint bubble;   // in the dock window
    QPoint weather;  // on the screen
};
struct HoverInput
{
    int edge = 2;
    QPoint window;       // the dock window's position on the screen
    QRect main;
    QRect frameIco;      // inside frameMain
    QPoint icon;         // the hovered icon inside frameIco
    float magnified = 128;
    float normal = 64;
    QSize bubble;
    QSize weather;
};
HoverPlaces hoverPlaces(const HoverInput &in);

// Wheel steps add up in pending; returns the whole notches (120 each) they
// make, positive away from the user, and keeps the rest.
int takeWheelNotches(int &pending, int delta);

} // namespace DockLayout
