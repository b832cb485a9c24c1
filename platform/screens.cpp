#include "screens.h"

#include <QGuiApplication>
#include <QScreen>

namespace platform {

QRect Screens::availableGeometryAt(const QPoint &p)
{
    for (int i = 0; i < count(); ++i)
        if (geometry(i).contains(p))
            return availableGeometry(i);
    return availableGeometry(0);
}

namespace {

class QtScreens final : public Screens
{
public:
    int count() override { return QGuiApplication::screens().size(); }
    QRect geometry(int i) override
    {
        const QScreen *s = at(i);
        return s ? s->geometry() : QRect();
    }
    QRect availableGeometry(int i) override
    {
        const QScreen *s = at(i);
        return s ? s->availableGeometry() : QRect();
    }
    QRect desktopGeometry() override
    {
        const QScreen *s = QGuiApplication::primaryScreen();
        return s ? s->virtualGeometry() : QRect();
    }

private:
    static QScreen *at(int i)
    {
        const QList<QScreen *> all = QGuiApplication::screens();
        return i >= 0 && i < all.size() ? all.at(i) : nullptr;
    }
};

} // namespace

template <>
Screens &Service<Screens>::real()
{
    static QtScreens s;
    return s;
}

} // namespace platform
