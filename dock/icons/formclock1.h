#pragma once
#include "dock/icons/clockface.h"
#include "dock/icons/facewidget.h"

// The live face of a TIME1 icon as a widget: hours and minutes in picture
// digits, the date under them and the seconds on a red ring.
class FormClock1 : public FaceWidget
{
    Q_OBJECT
public:
    explicit FormClock1(QWidget *parent = nullptr)
        : FaceWidget(new ClockFace(ClockFace::Clock1, nullptr), parent)
    {
        setObjectName(QStringLiteral("FormClock1"));
    }
    ClockFace *clock() const { return static_cast<ClockFace *>(face()); }
};
