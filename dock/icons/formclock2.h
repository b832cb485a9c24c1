#pragma once
#include "dock/icons/clockface.h"

namespace Ui {
class FormClock2;
}

// The live face of a TIME2 icon: hours and minutes in LCD digit pictures,
// the minutes a little smaller, and the date in the lower left corner.
class FormClock2 : public ClockFace
{
    Q_OBJECT
public:
    explicit FormClock2(QWidget *parent = nullptr);
    ~FormClock2() override;

protected:
    void placeDigits(int w, int h) override;
    void placeDate(int w, int h) override;

private:
    Ui::FormClock2 *ui;
};
