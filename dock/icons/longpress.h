#pragma once
#include <QObject>
#include <QPointer>

class FormTimingFlash;
class QTimer;
class QWidget;

// One left press on an icon, from the press to the one place it ends. Held
// for HoldMs it comes loose for dragging, while a ring beside the pointer
// fills; the owner's first move after that makes it a drag. It ends with the
// left release, or is cut short: by another button, Esc, the program losing
// the focus, the window being hidden, or the pointer grab taken away (seen
// when a move comes without the button). Whatever ends it, `ended` says from which
// state and how, once; the timers, the ring, the cursor and the keyboard are
// back as before the press.
//
// The owner forwards its presses and asks stillHeld() on its moves; the rest
// (the window, the keyboard, mouse events that reach other widgets) it
// watches itself while the press lasts.
class LongPress : public QObject
{
    Q_OBJECT
public:
    enum class State { Idle, Pressed, Holding, Dragging };
    enum class Exit { Release, OtherButton, Escape, FocusLost, Hidden, GrabBroken };
    static const int HoldMs = 500;
    // Ticks of the ring timer (one a millisecond) at which the ring shows and is full.
    static const int RingShownAt = 200;
    static const int RingFullAt = 500;

    explicit LongPress(QWidget *owner);
    ~LongPress() override;

    State state() const { return m_state; }
    bool isIdle() const { return m_state == State::Idle; }
    // Held long enough to drag (moved or not).
    bool isLoose() const { return m_state == State::Holding || m_state == State::Dragging; }
    static const char *name(Exit e);

    // A left press. `canHold` false: one that never comes loose (the second
    // press of a double click).
    void press(bool canHold = true);
    // The owner's first drag move of a loose press.
    void startDragging();
    // The way out of every state; nothing when idle. `buttonsHeld`: the
    // buttons still down, if the caller knows them from its event.
    void end(Exit how, int buttonsHeld = -1);
    // A move while pressed still holds the left button; if not, its release
    // was lost and the press ends as broken off (false).
    bool stillHeld(int buttons);

    // Buttons of a press cut short are still down: the owner ignores their
    // presses and releases until none is held.
    bool isSpent() const { return m_spent; }
    void settle(int buttonsHeld);
    // Spends the buttons held now (a chord the owner ignores) without a press.
    void spend(int buttonsHeld) { m_spent = buttonsHeld != 0; }

    // More widgets whose hiding ends the press (the owner's window always does;
    // the owner itself may hide while its icon is carried).
    void watchHiding(QWidget *w);

    QTimer *holdTimer() const { return m_holdTimer; }
    QTimer *ringTimer() const { return m_ringTimer; }
    FormTimingFlash *ring();
    int ringTicks() const { return m_ticks; }

public slots:
    // The hold timer ran out: the press comes loose.
    void hold();
    void ringTick();

signals:
    void ended(LongPress::State from, LongPress::Exit how);

protected:
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    void watch(bool on);

    QWidget *m_owner;
    State m_state = State::Idle;
    bool m_spent = false;
    int m_ticks = 0;
    QTimer *m_holdTimer;
    QTimer *m_ringTimer;
    FormTimingFlash *m_ring = nullptr;
    QList<QPointer<QWidget>> m_watched;
    QPointer<QWidget> m_window;
};
