#include "formtimingflash.h"

FormTimingFlash::FormTimingFlash(QWidget *parent) : FaceWidget(new HoldRingFace(nullptr), parent)
{
    // The ring sits under the pointer, over the held icon: it must neither
    // take the pointer from that icon nor the focus from anyone, and the
    // window manager must not put it in a frame or beneath the bar.
    setWindowFlags(Qt::Tool | Qt::BypassWindowManagerHint | Qt::FramelessWindowHint
                   | Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setObjectName(QStringLiteral("FormTimingFlash"));
    resize(32, 32);
}
