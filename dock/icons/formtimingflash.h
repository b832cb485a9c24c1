#pragma once
#include <QWidget>

namespace Ui {
class FormTimingFlash;
}
class QRoundProgressBar;

// The small ring beside the pointer that fills while the user holds the
// button on an icon, until the icon comes loose for dragging. The owner
// shows, moves and hides it.
class FormTimingFlash : public QWidget
{
    Q_OBJECT
public:
    explicit FormTimingFlash(QWidget *parent = nullptr);
    ~FormTimingFlash() override;

    void setRange(int min, int max);
    void setValue(int value);
    QRoundProgressBar *ring() const;
    int minimum() const { return m_min; }
    int maximum() const { return m_max; }

private:
    Ui::FormTimingFlash *ui;
    int m_min = 0;
    int m_max = 0;
};
