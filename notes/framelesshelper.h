#pragma once

#include <QHash>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>

class QEvent;
class QMouseEvent;
class QHoverEvent;
class QRubberBand;
class QWidget;

// Which parts of a widget's frame a screen point lies on.
struct EdgeHit
{
    bool onEdges = false;
    bool left = false;
    bool right = false;
    bool top = false;
    bool bottom = false;
    bool topLeft = false;
    bool topRight = false;
    bool bottomLeft = false;
    bool bottomRight = false;

    void reset() { *this = EdgeHit(); }
    // Each band is border + 1 pixels wide; the right and bottom bands reach one
    // pixel past the widget's last pixel.
    static EdgeHit test(const QPoint &p, const QRect &frame, int border);
};

class FramelessHelper;

// What the helper remembers of one watched widget.
class FramelessWidgetState
{
public:
    FramelessWidgetState(FramelessHelper *helper, QWidget *widget);
    ~FramelessWidgetState();

    void handleEvent(QEvent *event);
    void updateRubberBand();
    // The widget is going away: forget it without touching it.
    void abandon() { m_widget = nullptr; }
    QRubberBand *rubberBand() const { return m_rubberBand; }

private:
    void mousePress(QMouseEvent *event);
    void mouseRelease(QMouseEvent *event);
    void mouseMove(QMouseEvent *event);
    void updateCursor(const QPoint &global);
    void resizeTo(const QPoint &global);
    void moveTo(const QPoint &global);

    FramelessHelper *m_helper;
    QRubberBand *m_rubberBand = nullptr;
    QWidget *m_widget;
    QPoint m_dragOffset;
    EdgeHit m_pressHit;
    EdgeHit m_hoverHit;
    bool m_leftPressed = false;
    bool m_cursorChanged = false;
    bool m_pressedInTitle = false;
    Qt::WindowFlags m_savedFlags;
};

// Gives frameless top-level widgets what a window frame would: dragging by a
// title strip, resizing by the edges and corners, and the resize cursors.
class FramelessHelper : public QObject
{
    Q_OBJECT
public:
    explicit FramelessHelper(QObject *parent = nullptr);
    ~FramelessHelper() override;

    void attachWidget(QWidget *w);
    void detachWidget(QWidget *w);
    bool isAttached(QWidget *w) const;

    void setMovable(bool on) { m_movable = on; }
    void setResizable(bool on) { m_resizable = on; }
    void setMoveRubberBand(bool on);
    void setResizeRubberBand(bool on);
    bool isMovable() const { return m_movable; }
    bool isResizable() const { return m_resizable; }
    bool moveRubberBand() const { return m_moveRubberBand; }
    bool resizeRubberBand() const { return m_resizeRubberBand; }

    // Shared by every helper of the process; 0 keeps the old value.
    static void setBorderWidth(int width);
    static void setTitleHeight(int height);
    static int borderWidth();
    static int titleHeight();

    // The band of a watched widget, or null (for tests).
    QRubberBand *rubberBandOf(QWidget *w) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void forget(QObject *w);
    void updateRubberBands();

    // Keyed by the widget as a QObject, so a widget that is already half gone
    // can still be looked up without a cast.
    QHash<QObject *, FramelessWidgetState *> m_states;
    bool m_movable = true;
    bool m_resizable = true;
    bool m_resizeRubberBand = false;
    bool m_moveRubberBand = false;
};
