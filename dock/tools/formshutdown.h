#pragma once
#include "platform/power.h"

#include <QPoint>
#include <QWidget>

class FormSystemHint;
class QTimer;

namespace Ui {
class FormShutDown;
}

// The power dialog: restart or shut down now, or shut down at a set time of
// day. Once armed it shows a running clock until that minute comes, then
// counts down from five and asks the system to power off.
class FormShutDown : public QWidget
{
    Q_OBJECT

public:
    explicit FormShutDown(QWidget *parent = nullptr);
    ~FormShutDown() override;

    // Each followed by the dock's showNormal() and show().
    void showPowerPage();
    void showTimerPage();

    bool isTimerPage() const { return timerPage; }
    bool isArmed() const { return armed; }
    bool isCountingDown() const { return countdownRunning; }

    // What the user is told when the system did not go down.
    static QString failureText(platform::Power::Action action, platform::Power::Outcome outcome,
                               const QString &detail);

public slots:
    // The 30 ms tick while armed, and the one-second countdown tick.
    void timeOver();
    void CountdownTimeOver();

protected:
    void mouseMoveEvent(QMouseEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;

private:
    void requestPower(platform::Power::Action action);
    void powerAnswered(platform::Power::Action action, platform::Power::Outcome outcome, const QString &detail);
    void layOutTimerPage();
    void followClock();
    void updateHints(const QPoint &pos);

    Ui::FormShutDown *ui;
    FormSystemHint *toast;
    QTimer *checkTimer;
    QTimer *countdownTimer;
    QTimer *clockTimer;
    bool timerPage = false;
    bool armed = false;
    bool countdownRunning = false;
    bool powerPending = false;
    int count = 5;

private:
    // Bound to the form's widgets in the constructor.
    void on_RestartButton_clicked();
    void on_ShutDownButton_clicked();
    void on_pushButton_clicked();
    void on_pushButton_3_clicked();
    void on_close_clicked();
    void on_starButton_clicked();
    void on_starButton2_clicked();
    void on_cancelButton_clicked();
};
