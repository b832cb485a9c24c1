#pragma once
#include "dock/icons/facewidget.h"
#include "dock/icons/progressring.h"

// The small ring beside the pointer that fills while the user holds the
// button on an icon, until the icon comes loose for dragging. The owner
// shows, moves and hides it.
class FormTimingFlash : public FaceWidget
{
    Q_OBJECT
public:
    explicit FormTimingFlash(QWidget *parent = nullptr);

    void setRange(int min, int max) { ring()->setRange(min, max); }
    void setValue(int value) { ring()->setValue(value); }
    HoldRingFace *ring() const { return static_cast<HoldRingFace *>(face()); }
    int minimum() const { return ring()->minimum(); }
    int maximum() const { return ring()->maximum(); }
    double value() const { return ring()->value(); }
};
