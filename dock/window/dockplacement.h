#pragma once
#include "platform/windowsystem.h"

#include <QRect>
#include <QRegion>

#include <optional>

class QWidget;

// Where the dock window and its bar stand: the screen, the window's geometry
// over it, the side the desktop's panel takes, the bar against its edge with
// the edge strip, the window level and the part of the window that takes the
// pointer. It owns that state; the dock window forwards its slots here.
class DockPlacement
{
public:
    struct Frames
    {
        QWidget *window = nullptr;
        QWidget *main = nullptr;       // the bar
        QWidget *frameMain = nullptr;  // what slides inside the bar
        QWidget *background = nullptr; // the bar's background
        QWidget *frameWork = nullptr;  // covers the available part of the screen
        QWidget *strip = nullptr;      // the edge strip window
    };
    explicit DockPlacement(const Frames &f);

    // The screen in use for a wanted index: a screen that is gone falls back
    // to the first; the setting stays as the user left it.
    static int screenInUse(int wanted);
    // That screen's rectangle (a fixed one when there is no screen at all).
    static QRect screenRect(int wanted);

    // Puts the window over the screen and takes its available part.
    void moveToScreen(int screen);
    // Takes the available part of the screen and the side of the desktop's
    // panel anew.
    void takeAvailable(int screen);
    // The bar against its edge and the strip at the bar's screen side.
    void placeBar(int edge, int margin, float magnified, bool launchPadOpen);
    // The window level the level setting names: 0 front, 1 normal, 2 below;
    // none for any other value, which changes nothing.
    static std::optional<platform::WindowSystem::Level> levelOf(int level);
    static void applyLevel(QWidget *w, int level);

    // Sends what takes the pointer, when it differs from what was sent.
    void sendInputRegion(const QRegion &visible);
    // The next send goes out whatever it holds (the window was mapped anew).
    void forgetSentRegion() { m_sent = false; }
    bool hasSent() const { return m_sent; }

    QRect screen() const { return m_screen; }
    QRect available() const { return m_available; }
    int taskbarSide() const { return m_taskbarSide; }
    QRegion inputRegion() const { return m_region; }

private:
    Frames m_f;
    QRect m_screen;
    QRect m_available { 0, 0, -1, -1 };
    int m_taskbarSide = 4;
    QRegion m_region;
    bool m_sent = false;
};
