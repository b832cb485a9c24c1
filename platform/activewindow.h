#pragma once
#include "service.h"

#include <QObject>
#include <QRect>

namespace platform {

// The window that has the keyboard, as the desktop's window manager tells
// it: whether it is maximised or fills its screen, and where it stands. On
// other platforms (offscreen tests) there is none.
class ActiveWindow : public QObject
{
    Q_OBJECT
public:
    enum class State { Normal, Maximized, FullScreen };
    struct Info
    {
        quint64 id = 0;      // the window's X id; 0: no window has the keyboard
        State state = State::Normal;
        QRect geometry;      // on the desktop, with the frame the manager gives it
        bool own = false;    // one of this program's windows
    };

    using QObject::QObject;
    virtual Info active() = 0;

signals:
    // Another window took the keyboard, or the one that has it changed its
    // state or its place.
    void changed();
};

using ActiveWindowService = Service<ActiveWindow>;

} // namespace platform
