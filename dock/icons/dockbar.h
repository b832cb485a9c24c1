#pragma once
#include <optional>
#include <QColor>
#include <QElapsedTimer>
#include <QHash>
#include <QPixmap>
#include <QPointer>
#include <QRect>
#include <QRegion>
#include <QString>
#include <QVector>
#include <QWidget>

#include <functional>

class BarPointer;
class DockFace;
class DockIconList;
class QTimer;
class QWindow;

// The icons of the dock, drawn by one painter: every icon is a rectangle of
// this widget with its face, not a widget of its own, so a pointer sweeping
// the bar repaints a few rectangles and moves no window. The rows come from
// the icon table and follow its row signals; sizes, places and animations are
// per icon, and an icon is only repainted where it changed.
//
// It reports to its owner with the signals an icon widget has always sent
// (each carrying the icon's ID), so the owner's slots keep their meaning.
// Positions of icons are in the coordinates of the strip (stripRect()), the
// row of icons inside the bar; the bar itself covers the frame it sits in.
class DockBar : public QWidget
{
    Q_OBJECT
public:
    explicit DockBar(QWidget *parent = nullptr);
    ~DockBar() override;

    void setModel(DockIconList *rows);
    DockIconList *model() const { return m_rows; }

    // Screen edge (0 top, 1 right, 2 bottom, 3 left), sizes and clicks of every icon.
    void setEdge(int edge);
    int edge() const { return m_edge; }
    void setIconSizes(float magnified, float normal);
    float magnified() const { return m_M; }
    float normal() const { return m_N; }
    void setDoubleClick(bool b);
    void setClickStyle(int x) { m_clickStyle = x; }
    // The pointer over the bar: press, hold, drag and the ways out of them.
    BarPointer *pointer() const { return m_pointer; }
    // Whether a leave of the bar is one: the owner, who knows what the
    // window around it shows, answers false for a pointer still on the bar
    // (one the window's shape lost for a moment). Unset, every leave is one.
    void setLeaveCheck(std::function<bool()> isLeave) { m_isLeave = std::move(isLeave); }
    bool isLeave() const { return !m_isLeave || m_isLeave(); }
    // While frozen (an icon menu is open) the icons ignore the hover and drag moves.
    void setFrozen(bool b) { m_frozen = b; }
    bool isFrozen() const { return m_frozen; }

    // What the bar shows behind its icons: a rounded fill, or three pictures
    // stretched along it (ends of a fixed length and the middle between).
    struct Background
    {
        QColor fill = Qt::transparent; // a look without a fill shows none
        int radius = 0;
        QString first, middle, last; // empty: no picture
        bool upright = false;        // the pictures run down rather than across
    };
    void setBackground(const Background &b);
    const Background &background() const { return m_background; }
    void setBackgroundRect(const QRect &r);
    QRect backgroundRect() const { return m_backgroundRect; }

    // The strip of icons inside the bar.
    void setStripRect(const QRect &r);
    QRect stripRect() const { return m_strip; }

    // Icons by ID.
    int count() const { return m_items.size(); }
    bool contains(const QString &id) const { return m_byId.contains(id); }
    QStringList ids() const;
    bool isIconHidden(const QString &id) const;
    // Position in the strip, size, and both as a rectangle of this widget.
    QPoint iconPos(const QString &id) const;
    QSize iconSize(const QString &id) const;
    QRect iconRect(const QString &id) const;
    // The same on the screen.
    QRect iconRectOnScreen(const QString &id) const;
    QString iconAt(const QPoint &p) const; // in this widget
    QString iconClass(const QString &id) const;
    QString hoveredId() const { return m_hover; }
    // The icon the pointer hovers (none: empty); it grows, the last one shrinks.
    void hoverTo(const QString &id);
    bool isMouseIn(const QString &id) const;
    // The picture rectangle of the face (the jump moves it), in this widget.
    QRect pictureRect(const QString &id) const;
    // The spacer's picture as it shows on this edge.
    QString picturePath(const QString &id) const;
    // Whether any size, place or picture animation runs.
    bool isAnimating() const;
    // No icon hovered, away from its rest size or on its way: the bar takes
    // no more room than its icons at rest.
    bool isAtRest() const;
    // The length along the bar of the row at rest.
    int restLength() const;

    // What the hover and the owner do to one icon.
    void setSize(const QString &id, float s);       // at once, stopping its animation
    void mouseIn(const QString &id);                // grows as if hovered
    void restoreSize(const QString &id);            // animates back to rest
    void restoreAll();                              // and none hovered
    void moveAnimation(const QString &id, const QPoint &p); // 88 ms glide
    void placeAt(const QString &id, const QPoint &p);       // at once
    void jumpAnimation(const QString &id);
    void showAnimation(const QString &id);
    // The hover magnification of one pointer move at d along the hovered
    // icon: neighbours sized from the pointer, rows further away back to rest.
    void magnify(const QString &id, float d);

    // Icons side by side in table order, each standing on the screen side
    // of the strip; the row's length along and across the bar.
    QSize layoutRow();

    // The drag's plus marker in the strip.
    void setPlaceholderShown(bool b);
    bool isPlaceholderShown() const { return m_placeholderShown; }
    void setPlaceholderPos(const QPoint &p);
    QRect placeholderRect() const; // in the strip

    // Live data of some faces.
    void setDrive(const QString &id, const QString &drive);
    void setWeather(const QString &name, const QString &stateDetailed, const QString &temNow,
                    const QString &state);

    // The icons as they stand, and the placeholder (in this widget).
    QRegion iconRegion() const;
    // What the bar draws: those, and its background where it shows.
    QRegion drawnRegion() const;

signals:
    void IconWidth(QString ID, int w);
    void IconMouseIn(QString ID, QString types);
    void IconMouseMove(QString ID, QPoint p);
    void IconPressMove(QString ID, QPoint p);
    void IconPressRelease(QString ID, QPoint p);
    // A drag that ended in any way but the left release: its icon goes home.
    void IconPressCancel(QString ID);
    void IconOpen(QString ID);
    void MousePosition(int p);
    void IconMenu(QString ID, int x);
    void IconMove(QString ID, QPoint p, int w, int h, QString types);
    // Rows came or went: the owner lays the bar out again.
    void rowsChanged();
    // The window is about to be painted: what the frame's changes moved
    // is laid out now, so that it goes out in the same picture.
    void aboutToPaint();

protected:
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void enterEvent(QEvent *e) override;
    void leaveEvent(QEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    struct Item;
    Item *item(const QString &id) const { return m_byId.value(id); }
    void sync();
    void refreshRow(int row);
    void makeFace(Item *it);
    void applySize(Item *it);
    bool horizontal() const { return m_edge == 0 || m_edge == 2; }
    QRect rectOf(const Item *it) const;
    QSize restSize(const Item *it) const;
    QRect pictureOf(const Item *it) const;
    void resizeItem(Item *it, const QSize &s);
    void moveItem(Item *it, const QPoint &p);
    void animateSize(Item *it, const QSize &end);
    void startHover(Item *it);
    void paintItem(QPainter &p, const Item *it);
    void paintBackground(QPainter &p);
    bool paintsClearedWindow() const;
    bool drawsIn(const QRegion &r) const;
    QPixmap faceAt(Item *it, const QSize &size);
    void forgetFace(Item *it);
    void dirty(const QRegion &r);
    void askForFrame(const QRegion &fallback);
    void startClock();
    void tick();
    int nextFrame() const;
    bool advance();
    void advanceWithMove();
    void paintWindow();
    void warmFaces();
    void watchWindow();
    void shiftShown();
    void recordShown();

    DockIconList *m_rows = nullptr;
    QVector<Item *> m_items;
    QHash<QString, Item *> m_byId;
    int m_edge = 2;
    float m_M = 128, m_N = 64;
    int m_clickStyle = 1;
    bool m_frozen = false;
    QRect m_strip;
    Background m_background;
    QRect m_backgroundRect;
    QHash<QString, QPixmap> m_pieces;
    QPixmap m_corners; // the background's four rounded corners
    QPair<QColor, int> m_cornersKey;
    QString m_hover;
    // Where the pointer stood at the last move the icons followed.
    std::optional<QPoint> m_hoverAt;

    BarPointer *m_pointer = nullptr;
    std::function<bool()> m_isLeave;

    // One clock for every animation of the bar, and the window painted at
    // most once a frame.
    static constexpr int FrameMs = 16;
    static constexpr int MoveFrameMs = 40; // moves come faster: they drive the frames
    QTimer *m_frameTimer = nullptr;
    QElapsedTimer m_clock;
    qint64 m_lastPaint = -FrameMs;
    qint64 m_lastMove = -MoveFrameMs; // the pointer's last move over the icons
    bool m_held = false;     // a repaint of the window waits for the frame
    bool m_painting = false; // the frame's own repaint goes through
    bool m_running = false;  // an animation runs
    QRegion m_frameDirty;    // what changed since the last picture
    bool m_frameAsked = false; // a repaint of the window is on its way
    // The last picture: where it drew the background (the icons keep theirs),
    // while the window holds it unchanged.
    QRect m_shownBackground;
    bool m_shownValid = false;
    static constexpr int RectCost = 4096;
    QPointer<QWidget> m_window;
    QPointer<QWindow> m_handle;
    QTimer *m_warmTimer = nullptr;

    bool m_placeholderShown = false;
    QPoint m_placeholderPos;
};
