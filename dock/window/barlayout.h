#pragma once
#include "backgroundstyle.h"
#include "docklayout.h"
#include "dockplacement.h"
#include "dock/icons/dockbar.h"
#include "dock/settings/docksettings.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QRegion>

#include <functional>
#include <optional>

class DockIconList;
class QPropertyAnimation;
class QTimer;
class QWidget;

// Where the bar stands and how large its icons are at this moment. The
// settings say what the user chose; this is what is in effect: while the
// launch pad is open the bar stands on the bottom edge without margin, and a
// row too long for its screen takes smaller icons for a while.
struct BarNow
{
    int edge = DockSettings::defaults().location; // 0 top, 1 right, 2 bottom, 3 left
    int margin = DockSettings::defaults().margin;
    float size = float(DockSettings::defaults().icoSize); // the icons at rest
    float magnified = float(DockSettings::defaults().icoSize + DockSettings::defaults().icoScale);
};

// The bar's sizes, geometry and look: the icons' sizes of the moment, the
// frames sized around the row and placed on the screen (through the
// placement it owns), the background of the chosen style, the settings'
// panel area that slides out beside the bar, and the part of the window that
// takes the pointer. Relayouts wait for the next turn of the event loop, or
// run at once before a paint. It follows the settings of the bar (screen,
// edge, margin, level, sizes, look, click) as they change.
class BarLayout : public QObject
{
    Q_OBJECT
public:
    // The frames of the dock window it sizes and places.
    struct Frames
    {
        QWidget *window = nullptr;
        QWidget *main = nullptr;       // the bar
        QWidget *frameMain = nullptr;  // what slides inside the bar
        QWidget *background = nullptr; // keeps the background's place
        QWidget *area = nullptr;       // the settings' panel area
        QWidget *work = nullptr;       // covers the available part of the screen
        QWidget *dropHint = nullptr;   // shown while a file is dragged over the bar
        QWidget *strip = nullptr;      // the edge strip window
    };
    // What it looks at of the other parts of the window; unset ones answer
    // false or nothing.
    struct Others
    {
        std::function<bool()> barOnScreen;   // slid in, or still sliding out
        std::function<bool()> slidingOut;
        std::function<bool()> launchPadOpen;
        std::function<QRegion()> menusShown; // what the pop-ups in the window draw
        std::function<QRegion()> tipsShown;  // what the name bubble in the window draws
    };

    BarLayout(DockIconList *icons, DockBar *bar, DockSettings *settings, const Frames &frames,
              QObject *parent = nullptr);
    ~BarLayout() override;

    void setOthers(const Others &o) { m_o = o; }
    DockPlacement *placement() { return &m_place; }
    // Where the bar stands and its icons' sizes, now.
    const BarNow &now() const { return m_now; }

    // The icons take the sizes, edge and clicks of the moment; the row is laid out.
    void placeIcons();
    // Every icon back at its rest size at the configured size.
    void restSizes();
    // Both, as after the table changed.
    void rebuild();
    // Icons touching one another in table order, the frames around them.
    void relayout();
    // A relayout on the next turn of the event loop; one that waits runs
    // before the window paints, so that it goes out in the same picture.
    void requestRelayout();
    void relayoutIfPending();
    // The frames around a row of length a (top, bottom) or b (sides).
    void sizeBar(int a, int b);

    void setScreen(int screen);
    void takeAvailable();
    // A margin and edge in effect: the settings', or the launch pad's.
    void setMargin(int margin);
    void setEdge(int edge);
    // The level of the start (the level setting: 0 front, 1 normal, 2 below;
    // nothing else changes it), and the one the user chooses.
    void applyLevel(int level);
    void setLevel(int level);

    void setIconSize(int size);
    // A size the row takes while it would not fit at the configured one.
    void setTemporaryIconSize(int size);
    void setScale(int grow);
    void setClick(int style);
    // The background of the style and transparency the settings hold.
    void applyBackground();
    void showFrameArea(bool shown);

    // The bar in the window: what it draws as it stands now (the
    // background, the icons at their sizes of the moment, the gap's marker,
    // the drop frame and the panel's area), as far as it has slid in; while
    // it slides away, also where it stood, so that a pointer coming back
    // there finds it.
    QRegion barRegion() const;
    // Everything the window draws now: the bar, the name bubble, the open
    // pop-ups. This takes the pointer; while the icons move under a pointer
    // on the bar, what they drew a moment ago still does, away from the
    // pointer (see sendInputShape).
    QRegion drawnRegion() const;
    // Whether a point of the screen lies on the bar as it stands magnified
    // for a pointer there: on what it draws, or along the row of icons no
    // deeper than the magnified ones. The point of the bar (in its own
    // coordinates) that answers such a pointer: the same place along, on the
    // icon there.
    std::optional<QPoint> reach(const QPoint &global) const;
    // What the window draws changed: the input shape follows with the
    // picture that shows it (at once while no picture comes).
    void updateInputShape();
    // The window was mapped anew: the shape goes out whatever was sent.
    void resendInputShape();

    bool isFrameAreaShown() const { return m_frameAreaShown; }
    int backgroundSide() const { return m_backgroundSide; }
    QRegion inputRegion() const { return m_place.inputRegion(); }
    DockBar::Background background() const { return m_bar->background(); }

signals:
    // The bar and the menus of new menu icons made again on the new edge.
    void rebuildRequested();
    // The row was laid out (a drag keeps its gap open through it).
    void relaidOut();
    void screenChanged(const QRect &screen);
    void edgeChanged(int edge);
    void iconSizeChanged(int size);

private:
    void settingChanged(DockSettings::Key key);
    // The part of the window's length along the bar that the row may take.
    DockLayout::Span freeSpan() const;
    void applySizes();
    void placeFrames();
    QRegion extras() const;
    // Exact: only what is drawn, whatever the pointer does.
    void sendInputShape(bool exact = false);
    QRegion heldAwayFromPointer(const QRegion &drawn) const;
    bool eventFilter(QObject *o, QEvent *e) override;

    DockIconList *m_icons;
    DockBar *m_bar;
    DockSettings *m_settings;
    BarNow m_now;
    Frames m_f;
    Others m_o;
    DockPlacement m_place;
    QTimer *m_relayoutTimer;
    QTimer *m_shapeSettles; // the icons stood still a while: the shape is made exact
    std::optional<QPoint> m_pointerOnBar; // in the window, as the bar last saw it
    bool m_frameAreaShown = false;
    int m_backgroundSide = 0; // the background's overhang of the current style
    BackgroundStyle::Backdrop m_backdrop; // what the styles so far made of the background
    QPointer<QPropertyAnimation> m_frameAreaAnimation;
};
