#pragma once
#include "dock/icons/clockface.h"

namespace Ui {
class FormClock1;
}
class QRoundProgressBar;

// The live face of a TIME1 icon: hours and minutes in picture digits, the
// date under them and the seconds on a red ring.
class FormClock1 : public ClockFace
{
    Q_OBJECT
public:
    explicit FormClock1(QWidget *parent = nullptr);
    ~FormClock1() override;
    QRoundProgressBar *ring() const;

protected:
    void placeDigits(int w, int h) override;
    void placeDate(int w, int h) override;
    void showSeconds(int s) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    Ui::FormClock1 *ui;
};
