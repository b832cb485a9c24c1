#pragma once
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRegion>

class FormDetection;
class QPropertyAnimation;
class QWidget;

// The bar's slides in and out of sight and the edge strip that brings it
// back. It owns the strip window and the slide state; the dock window tells
// it where the pointer is and when to slide, and hears when a slide ends.
class AutoHide : public QObject
{
    Q_OBJECT
public:
    // window: the dock window; frameMain: what slides.
    AutoHide(QWidget *window, QWidget *frameMain, QObject *parent = nullptr);
    ~AutoHide() override;

    FormDetection *strip() const { return m_strip; }

    bool isSlidIn() const { return m_slidIn; }        // slid in or sliding in
    bool isDockShown() const { return m_dockShown; }  // the slide-in has finished
    bool isSlidingOut() const { return m_slidingOut; }
    bool isPointerInside() const { return m_pointerInside; }
    void setDockShown(bool b) { m_dockShown = b; }
    void setPointerInside(bool b) { m_pointerInside = b; }

    // Starts the slide in from the hidden point; false when already in.
    bool slideIn(const QPoint &hiddenPoint);
    // Starts the slide out to the hidden point; false when already out.
    bool slideOut(const QPoint &hiddenPoint);
    // The ends of the slides, as the dock window's slots run them.
    void slideInEnded() { m_dockShown = true; }
    void slideOutEnded()
    {
        m_dockShown = false;
        m_slidingOut = false;
    }

    // Shows the strip, above everything unless `keepLow` (the launch pad,
    // which covers the screen, is open). The strip is not put under a pointer
    // that rests on the slid-in bar: it would take the pointer from the bar,
    // the bar would slide out, and the strip bring it back, without end.
    // barOnScreen is the part of the screen that takes the pointer for the bar.
    void showStrip(bool keepLow, const QRegion &barOnScreen);
    // Takes the strip away while the bar is in; a hidden bar keeps it.
    void hideStrip();
    // While the bar is in, the strip takes the pointer only where no icon
    // does (iconsOnScreen): a pointer that lands on the edge over an icon,
    // pressing at once, presses the icon. Out of sight, all of it is the
    // way back.
    void shapeStrip(const QRegion &iconsOnScreen);

signals:
    void slideInFinished();
    void slideOutFinished();
    void stripTouched();

private:
    void slide(QPoint from, const QPoint &to, void (AutoHide::*done)());
    void emitIn() { emit slideInFinished(); }
    void emitOut() { emit slideOutFinished(); }

    QWidget *m_window;
    QWidget *m_frameMain;
    FormDetection *m_strip;
    QPointer<QPropertyAnimation> m_slide;
    bool m_slidIn = false;
    bool m_dockShown = false;
    bool m_slidingOut = false;
    bool m_pointerInside = false;
    QRegion m_stripShape; // the strip's own part that takes the pointer, as last sent
};
