#pragma once
#include "docklayout.h"

#include <QObject>
#include <QRect>
#include <QRegion>

class FormName;
class FormWeatherEffects;
class QTimer;
class QWidget;

// What shows beside the icon under the pointer: the name bubble, which takes
// no pointer and stands in front of the bar and the scene, and the weather
// scene, a window of its own over the desktop.
class HoverTips : public QObject
{
    Q_OBJECT
public:
    explicit HoverTips(QWidget *dock);
    ~HoverTips() override;

    FormName *bubble() const { return m_name; }
    // The window that holds the bubble now: the dock window, or one of its
    // own along the bar.
    QWidget *bubbleWindow() const;
    FormWeatherEffects *scene();

    // Fills the bubble with the icon's name and places both beside the icon
    // (`in.window` is where the dock window stands). `in.bubble` and
    // `in.weather` are filled in here.
    void follow(const QString &name, bool weatherIcon, DockLayout::HoverInput in);
    // The bubble over every icon but a blank; the scene only over the weather.
    void showFor(const QString &cl);
    void startScene();
    void hide();
    void setFontSize(int size);
    // The bubble alone, where it was last placed.
    void showBubble();
    void hideBubble();
    // What the bubble draws in the dock window (nothing while it shows in
    // a window of its own, which the pointer passes through).
    QRegion drawnRegion() const;

private:
    bool wantsLane() const;
    void putInLane(bool lane);
    void showScene();

    QWidget *m_dock;
    QWidget *m_lane = nullptr; // made when first needed
    FormName *m_name;
    QRect m_lastLane; // where the lane's mask last put the bubble
    FormWeatherEffects *m_scene = nullptr;
    // The scene shows once the pointer has stayed on the weather icon for
    // the time it would show fully transparent; until then it is not mapped.
    QTimer *m_sceneDue;
    // The last move the tips followed, for the scene that shows after it.
    DockLayout::HoverInput m_lastIn;
    bool m_lastOnWeather = false;
    // What the bubble was last filled with: the same name on the same edge
    // needs no new layout of its text and arrow.
    QString m_lastName;
    int m_lastEdge = -1;
    int m_lastFont = -1;
};
