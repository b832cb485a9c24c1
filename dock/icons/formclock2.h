#pragma once
#include "dock/icons/clockface.h"
#include "dock/icons/facewidget.h"

// The live face of a TIME2 icon as a widget: hours and minutes in LCD
// digits, the minutes smaller, and the date in the corner.
class FormClock2 : public FaceWidget
{
    Q_OBJECT
public:
    explicit FormClock2(QWidget *parent = nullptr)
        : FaceWidget(new ClockFace(ClockFace::Clock2, nullptr), parent)
    {
        setObjectName(QStringLiteral("FormClock2"));
    }
    ClockFace *clock() const { return static_cast<ClockFace *>(face()); }
};
