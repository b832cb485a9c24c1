#pragma once
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>

class FormLaunchCommonIcon;
class LaunchGrid;
class LaunchRows;
class QMouseEvent;
class QTimer;
class QWidget;

// The launch pad's pointer: every press on one of its icons, from the press
// to the end of the click, the long press or the drag, as one state machine.
//
//   Idle      nothing pressed.
//   Pressed   the left button went down on an icon's picture; the long-press
//             timer runs. A release here is a click.
//   Holding   the long press ran out (the pad is in edit mode now); the
//             button is still down. A release opens nothing.
//   Dragging  the pointer moved with the button down: the icon's row is
//             lifted out of the table, a copy of its picture follows the
//             pointer and a hole opens where it will land; the edges of the
//             screen turn pages.
//   Dropping  a drag is ending: its row is being put into the table.
//
// The pad hands a drag to nothing else. Every way out of a press ends in
// finish(): the left release drops a dragged icon into its hole and writes
// the file; a right or middle button, Esc, the pad losing the focus, being
// hidden or closed, the pointer grab lost, or a new press whose release
// never came puts it back where it came from and leaves the file as it was.
// No way out leaves the copy on screen, the row out of the table or a state
// behind; the releases still to come of an ended press open nothing.
class LaunchDrag : public QObject
{
    Q_OBJECT
public:
    enum class State { Idle, Pressed, Holding, Dragging, Dropping };
    Q_ENUM(State)
    static constexpr int HoldTime = 1500;
    // Pointer columns at the screen's left and right that turn the page.
    static constexpr int EdgeZone = 19;

    LaunchDrag(QWidget *window, LaunchRows *rows, LaunchGrid *grid, QObject *parent = nullptr);
    ~LaunchDrag() override;

    State state() const { return m_state; }
    // The icon of the press, empty when Idle.
    QString pressedId() const;
    FormLaunchCommonIcon *floatingCopy() const { return m_copy; }
    // Icons open on a double click rather than a click.
    void setDoubleClick(bool on) { m_doubleClick = on; }

    // An icon's own mouse handlers hand every event here; so does the
    // filter, for the pad's other widgets while a press is live.
    void mouseEvent(QWidget *receiver, QMouseEvent *event);

public slots:
    // Ends a press from outside the pointer (the pad closing): the icon goes back.
    void cancel();

signals:
    // A press lasted the long-press time.
    void held();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class End { Released, Cancelled };

    void press(QWidget *receiver, QMouseEvent *event);
    void release(QWidget *receiver, QMouseEvent *event);
    void move(QWidget *receiver, QMouseEvent *event);
    void beginDrag();
    void dragTo(const QPoint &global);
    // The copy under the pointer, and the hole where it would land.
    void follow(const QPoint &global);
    void hover(const QPoint &global);
    // A release that ends a click on an icon.
    void click(FormLaunchCommonIcon *icon, const QPoint &p);
    void holdReached();
    // The one place where a press ends.
    void finish(End end);
    bool live() const { return m_state != State::Idle && m_state != State::Dropping; }
    QPoint onIcon(QWidget *receiver, QMouseEvent *event) const;
    FormLaunchCommonIcon *gridIcon(QWidget *receiver) const;

    QWidget *m_window;
    LaunchRows *m_rows;
    LaunchGrid *m_grid;
    FormLaunchCommonIcon *m_copy;
    QTimer *m_holdTimer;
    State m_state = State::Idle;
    QPointer<FormLaunchCommonIcon> m_icon;
    QString m_id;
    bool m_pageFlipLatch = false;
    bool m_doubleClick = false;
    // Releases that belong to a press already ended.
    Qt::MouseButtons m_swallow = Qt::NoButton;
};
