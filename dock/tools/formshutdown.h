#pragma once
#include <QWidget>

namespace Ui {
class FormShutDown;
}

// The power dialog: restart or shut down now, or shut down at a set time.
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

private slots:
    void on_pushButton_clicked();
    void on_pushButton_3_clicked();
    void on_close_clicked();

private:
    Ui::FormShutDown *ui;
    bool timerPage = false;
    bool armed = false;
};
