#include "formtimingflash.h"

FormTimingFlash::FormTimingFlash(QWidget *parent) : FaceWidget(new HoldRingFace(nullptr), parent)
{
    // The ring sits under the pointer: it must neither take the pointer from
    // the icon being held nor the focus from the dock.
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowTransparentForInput);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setObjectName(QStringLiteral("FormTimingFlash"));
    resize(32, 32);
}
