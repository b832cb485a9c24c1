#pragma once
#include <QString>
#include <QWidget>

class QTimer;

namespace Ui {
class FormWeatherEffects;
}

// An animated picture of the current weather. The dock's instance floats over
// the desktop beside the weather icon and lets every click through; the
// weather window embeds another one.
class FormWeatherEffects : public QWidget
{
    Q_OBJECT

public:
    explicit FormWeatherEffects(QWidget *parent = nullptr);
    ~FormWeatherEffects() override;

    QString state() const { return weatherState; }

public slots:
    void setWeatherInit(QString Name, QString stateDetailed, QString temNow, QString state);
    // Shown beside the weather icon: fade in, then away again after 5 seconds.
    void showStart();
    void TimeOut();
    void myShow();

private:
    Ui::FormWeatherEffects *ui;
    // "32" plays the no-data scene until real weather arrives.
    QString weatherState = "32";
    QTimer *hideTimer;
};
