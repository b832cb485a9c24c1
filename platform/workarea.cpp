#include "workarea.h"

#include <KX11Extras>
#include <QWidget>
#include <QX11Info>

namespace platform {
namespace {

class X11WorkArea final : public WorkArea
{
public:
    void setStrut(QWidget *w, const Strut &s) override
    {
        if (!w || !QX11Info::isPlatformX11())
            return;
        const qreal r = w->devicePixelRatioF();
        auto px = [r](int v) { return int(v * r); };
        KX11Extras::setExtendedStrut(w->winId(), px(s.leftWidth), px(s.leftStart), px(s.leftEnd),
                                     px(s.rightWidth), px(s.rightStart), px(s.rightEnd), px(s.topWidth),
                                     px(s.topStart), px(s.topEnd), px(s.bottomWidth), px(s.bottomStart),
                                     px(s.bottomEnd));
    }
};

} // namespace

template <>
WorkArea &Service<WorkArea>::real()
{
    static X11WorkArea w;
    return w;
}

} // namespace platform
