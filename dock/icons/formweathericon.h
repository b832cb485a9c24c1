#pragma once
#include <QWidget>

namespace Ui {
class FormWeatherIcon;
}
class QLabel;

// The live face of a weather icon: the weather picture of the current state
// in the upper right corner and the temperature at the lower left, over the
// icon's background picture. It fetches nothing: readings arrive through
// setWeather.
class FormWeatherIcon : public QWidget
{
    Q_OBJECT
public:
    explicit FormWeatherIcon(QWidget *parent = nullptr);
    ~FormWeatherIcon() override;

    // The four strings of a weather reading; only temNow and state are shown.
    void setWeather(const QString &name, const QString &stateDetailed, const QString &temNow, const QString &state);
    // The icon's picture becomes the background; the preset weather picture
    // stands for the plain white background.
    void setIconImage(const QString &path);

    // ":/image/weather/icon/<n>.png" for a weather state code.
    static QString statePicture(const QString &state);
    static int pictureNumber(int stateCode);

    QString background() const { return m_background; }
    QString currentStatePicture() const { return m_statePicture; }
    QString temperature() const { return m_temperature; }
    QLabel *temperatureLabel() const;
    QLabel *stateLabel() const;
    QLabel *backgroundLabel() const;

protected:
    void resizeEvent(QResizeEvent *e) override;

private:
    QSize statePictureSize() const;
    void placeState();
    void layoutText();

    Ui::FormWeatherIcon *ui;
    QString m_background;
    QString m_statePicture;
    QString m_temperature;
};
