#pragma once
#include "dock/icons/pictureface.h"

#include <QRect>

#include <functional>

class QTimer;

// The recycle bin: the empty or the full picture, following the desktop's
// trash. The trash says nothing when it changes, so an active face asks it
// every five seconds.
class RecycleFace : public ComposedFace
{
    Q_OBJECT
public:
    static const int PollInterval = 5000;

    explicit RecycleFace(const QString &pair, QObject *parent);

    // The icon's picture column: "<empty picture>,<full picture>". Without a
    // comma the built-in pair is used.
    void setPicture(const QString &pair) override;
    void setActive(bool on) override;

    QString currentPicture() const { return m_current; }
    QString emptyPicture() const { return m_empty; }
    QString fullPicture() const { return m_full; }
    QTimer *pollTimer() const { return m_timer; }

    // Asks the user, then empties the trash for good. Returns true when it
    // was emptied; false when the user said no or emptying failed.
    static bool clearRecycleBin();
    // The question asked before emptying; tests put their answer here.
    // Defaults to askBeforeEmptying.
    static std::function<bool()> &confirmEmpty();
    // A Yes/No message box whose default is No.
    static bool askBeforeEmptying();

public slots:
    // One look at the trash.
    void poll();

protected:
    void render(QPainter &p, const QSize &size) override;

private:
    void show(const QString &picture);

    QTimer *m_timer;
    QString m_current, m_empty, m_full;
};

// A drive: the drive picture with the drive written over it. A drive is a
// mount point here; "0" means none chosen yet.
class DiskFace : public ComposedFace
{
    Q_OBJECT
public:
    explicit DiskFace(QObject *parent);
    void setDrive(const QString &drive) override;
    QString drive() const { return m_drive; }
    // The text written over the picture.
    QString shownText() const { return faceText(m_drive); }

    // What fits on the face for a mount point: "/" stays "/", a folder name
    // of up to four characters is shown whole, a longer one as its first
    // three characters and an ellipsis.
    static QString faceText(const QString &drive);
    static QString picture() { return QStringLiteral(":/image/icon/Disk.png"); }

    QFont textFont(const QSize &size) const;
    QRect textRect(const QSize &size) const;

protected:
    void render(QPainter &p, const QSize &size) override;

private:
    QString m_drive;
};

// The weather: the picture of the current state in the upper right corner
// and the temperature at the lower left, over the icon's picture. It fetches
// nothing: readings arrive through setWeather.
class WeatherFace : public ComposedFace
{
    Q_OBJECT
public:
    explicit WeatherFace(const QString &picture, QObject *parent);

    // Only temNow and state are shown.
    void setWeather(const QString &name, const QString &stateDetailed, const QString &temNow,
                    const QString &state) override;
    // The icon's picture becomes the background; the preset weather picture
    // stands for the plain white background.
    void setPicture(const QString &path) override;

    // ":/image/weather/icon/<n>.png" for a weather state code.
    static QString statePicture(const QString &state);
    static int pictureNumber(int stateCode);

    QString background() const { return m_background; }
    QString currentStatePicture() const { return m_statePicture; }
    QString temperature() const { return m_temperature; }
    // The temperature as written: "23°", or empty without a reading.
    QString temperatureText() const;

    QRect stateRect(const QSize &size) const;
    QFont textFont(const QSize &size) const;
    QRect textRect(const QSize &size) const;

protected:
    void render(QPainter &p, const QSize &size) override;

private:
    QString m_background;
    QString m_statePicture;
    QString m_temperature;
};
