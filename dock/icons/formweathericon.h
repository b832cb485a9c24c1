#pragma once
#include "dock/icons/facewidget.h"
#include "dock/icons/liveface.h"

// The live face of a weather icon as a widget.
class FormWeatherIcon : public FaceWidget
{
    Q_OBJECT
public:
    explicit FormWeatherIcon(QWidget *parent = nullptr) : FaceWidget(new WeatherFace(QString(), nullptr), parent)
    {
        setObjectName(QStringLiteral("FormWeatherIcon"));
    }
    WeatherFace *weather() const { return static_cast<WeatherFace *>(face()); }
    void setWeather(const QString &name, const QString &stateDetailed, const QString &temNow, const QString &state)
    {
        weather()->setWeather(name, stateDetailed, temNow, state);
    }
    void setIconImage(const QString &path) { weather()->setPicture(path); }
    QString temperature() const { return weather()->temperature(); }
    QString background() const { return weather()->background(); }
    QString currentStatePicture() const { return weather()->currentStatePicture(); }
    static QString statePicture(const QString &state) { return WeatherFace::statePicture(state); }
};
