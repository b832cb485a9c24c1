#include "formtimingflash.h"

#include "platform/windowsystem.h"

FormTimingFlash::FormTimingFlash(QWidget *parent) : FaceWidget(new HoldRingFace(nullptr), parent)
{
    // The ring sits under the pointer, over the held icon.
    platform::makePassThroughOverlay(this);
    setObjectName(QStringLiteral("FormTimingFlash"));
    resize(32, 32);
}
