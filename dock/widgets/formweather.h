#pragma once
#include <QString>
#include <QWidget>

namespace Ui {
class FormWeather;
}

// The weather window: the weather of one chosen place, refreshed from an
// outside weather feed and handed on to the dock's weather icon and scenes.
class FormWeather : public QWidget
{
    Q_OBJECT

public:
    explicit FormWeather(QWidget *parent = nullptr);
    ~FormWeather() override;

    // The first call starts the weather; later ones re-send what is loaded.
    void startWeather();
    bool isStarted() const { return started; }

signals:
    void setWeatherInit(QString Name, QString stateDetailed, QString temNow, QString state);

private slots:
    void on_close_clicked();

private:
    Ui::FormWeather *ui;
    bool started = false;
};
