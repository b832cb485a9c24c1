#include "screengrab.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

class QtScreenGrab final : public ScreenGrab
{
public:
    QPixmap grabDesktop() override
    {
        QScreen *primary = QGuiApplication::primaryScreen();
        if (!primary)
            return QPixmap();
        // Window 0 is the root window under X11, which spans all screens; a size
        // of -1 takes all of it in device pixels, whatever the scale factors.
        QPixmap picture = primary->grabWindow(0, 0, 0, -1, -1);
        // Screens keep their device-pixel top left in Qt's coordinates, so the
        // desktop's top left is also the pixel where its picture starts.
        const QPoint origin = primary->virtualGeometry().topLeft();
        if (!picture.isNull() && !origin.isNull() && origin.x() >= 0 && origin.y() >= 0)
            picture = picture.copy(QRect(origin, picture.size() - QSize(origin.x(), origin.y())));
        return picture;
    }
};

} // namespace

template <>
ScreenGrab &platform::Service<ScreenGrab>::real()
{
    static QtScreenGrab grab;
    return grab;
}
