#pragma once
#include <QList>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QVariant>
#include <QWidget>

class QAbstractAnimation;
class QLabel;
class QPropertyAnimation;
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
    // How long the overlay stays fully transparent before it fades in.
    static constexpr int FadeInWaitMs = 200;

    explicit FormWeatherEffects(QWidget *parent = nullptr);
    ~FormWeatherEffects() override;

    QString state() const { return weatherState; }
    // The scene slot the state plays, by name ("Rain", "Nodeta").
    static const char *sceneFor(const QString &state);
    QString currentScene() const { return m_scene; }
    int frame() const { return frameIndex; }
    bool spriteRunning() const;

public slots:
    void setWeatherInit(QString Name, QString stateDetailed, QString temNow, QString state);
    void setWeatherIcon(QString state);
    // Shown beside the weather icon: fully transparent for 200 ms, then a
    // fade in, and away again 5 seconds after the start. `waited`: how much
    // of that start lies behind already (the dock maps the scene only once
    // the pointer has stayed on the icon).
    void showStart(int waited = 0);
    void sunnyDay();
    void partlyCloudy();
    void cloudyDay();
    void shower();
    void ThunderShower();
    void Sleet();
    void Rain();
    void snowShower();
    void Snow();
    void Fog();
    void Haze();
    void Sandstorm();
    void Gale();
    void Nodeta();
    void rainStart();
    void rainTimeOut();
    void snowStart();
    void iconHide();
    void TimeOut();
    void myShow();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void slide(QWidget *w, const QPoint &from, const QPoint &to, int ms = 800) { animate(w, "pos", from, to, ms); }
    void grow(QWidget *w, const QRect &from, const QRect &to, int ms) { animate(w, "geometry", from, to, ms); }
    void animate(QWidget *w, const QByteArray &property, const QVariant &from, const QVariant &to, int ms);
    QPropertyAnimation *fade(QWidget *w, qreal from = 0.0, qreal to = 1.0);
    void sunEntrance();
    void veilBehindSun(QWidget *veil);
    // cloud2 and cloud3 move in and fade in; returns cloud2's fade.
    QPropertyAnimation *cloudEntrance();
    void setSprite(QLabel *label, int picture);

    Ui::FormWeatherEffects *ui;
    // "32" plays the no-data scene until real weather arrives.
    QString weatherState = "32";
    QString m_scene;
    // The state of the scene last played; the no-data scene until one is.
    QString m_played = "32";
    int frameIndex = 0;
    // The sprites stop while nobody can see them and go on when shown.
    bool spritePaused = false;
    // The moves and fades of the scene playing; a new scene stops them, so an
    // old scene's clouds cannot start rain in the new one.
    QList<QPointer<QAbstractAnimation>> sceneAnimations;
    QTimer *spriteTimer;
    QTimer *hideTimer;
    QTimer *fadeInTimer; // the wait before the overlay fades in
};
