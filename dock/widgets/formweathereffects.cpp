#include "dock/widgets/formweathereffects.h"

#include "dock/icons/weatherstate.h"
#include "ui_formweathereffects.h"

#include <QGraphicsOpacityEffect>
#include <QPropertyAnimation>
#include <QTimer>

namespace {

const int SpriteMs = 200;
const int FadeMs = 500;

QString spriteSheet(int picture)
{
    return QStringLiteral("QLabel{border-image: url(:/image/weather/effects/%1.png);}").arg(picture);
}

// Pictures of rain, rain2, snow and thunder on each of the nine sprite frames.
const int SpriteFrames[9][4] = {
    { 6, 8, 13, 9 }, { 7, 6, 14, 10 }, { 8, 7, 15, 11 }, { 8, 6, 13, 9 }, { 7, 8, 15, 12 },
    { 6, 8, 14, 9 }, { 8, 7, 13, 9 },  { 7, 6, 14, 9 },  { 8, 7, 15, 9 },
};

} // namespace

FormWeatherEffects::FormWeatherEffects(QWidget *parent)
    : QWidget(parent), ui(new Ui::FormWeatherEffects)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_TranslucentBackground);
    weatherState = "32";

    spriteTimer = new QTimer(this);
    connect(spriteTimer, &QTimer::timeout, this, &FormWeatherEffects::rainTimeOut);
    hideTimer = new QTimer(this);
    hideTimer->setSingleShot(true);
    connect(hideTimer, &QTimer::timeout, this, &FormWeatherEffects::TimeOut);
    fadeInTimer = new QTimer(this);
    fadeInTimer->setSingleShot(true);
    connect(fadeInTimer, &QTimer::timeout, this, &FormWeatherEffects::myShow);

    iconHide();
}

FormWeatherEffects::~FormWeatherEffects()
{
    delete ui;
}

bool FormWeatherEffects::spriteRunning() const
{
    return spriteTimer->isActive() || spritePaused;
}

void FormWeatherEffects::setWeatherInit(QString, QString, QString, QString state)
{
    weatherState = state;
    setWeatherIcon(state);
}

const char *FormWeatherEffects::sceneFor(const QString &state)
{
    const unsigned code = static_cast<unsigned>(WeatherState::code(state));
    if (code > 31)
        return "Nodeta";
    switch (code) {
    case 0: return "sunnyDay";
    case 1: return "partlyCloudy";
    case 2: return "cloudyDay";
    case 3: return "shower";
    case 4: case 5: return "ThunderShower";
    case 6: case 19: return "Sleet";
    case 13: return "snowShower";
    case 14: case 15: case 16: case 17: case 26: case 27: case 28: return "Snow";
    case 18: return "Fog";
    case 20: case 31: return "Gale";
    case 29: return "Haze";
    case 30: return "Sandstorm";
    default: return "Rain"; // 7 to 12, 21 to 25
    }
}

void FormWeatherEffects::setWeatherIcon(QString state)
{
    iconHide();
    m_played = state;
    m_scene = QString::fromLatin1(sceneFor(state));
    QMetaObject::invokeMethod(this, sceneFor(state), Qt::DirectConnection);
}

// ---- building blocks -----------------------------------------------------------

// A scene's own animation of one property, eased out; it dies with the widget.
void FormWeatherEffects::animate(QWidget *w, const QByteArray &property, const QVariant &from, const QVariant &to,
                                 int ms)
{
    auto *a = new QPropertyAnimation(w, property, w);
    a->setDuration(ms);
    a->setStartValue(from);
    a->setEndValue(to);
    a->setEasingCurve(QEasingCurve::OutQuad);
    sceneAnimations.append(a);
    a->start(QAbstractAnimation::DeleteWhenStopped);
}

QPropertyAnimation *FormWeatherEffects::fade(QWidget *w, qreal from, qreal to)
{
    auto *effect = new QGraphicsOpacityEffect(w);
    effect->setOpacity(1.0);
    w->setGraphicsEffect(effect); // deletes the label's previous effect
    auto *a = new QPropertyAnimation(effect, "opacity", w);
    a->setDuration(FadeMs);
    a->setStartValue(from);
    a->setEndValue(to);
    sceneAnimations.append(a);
    a->start(QAbstractAnimation::DeleteWhenStopped);
    return a;
}

void FormWeatherEffects::sunEntrance()
{
    grow(ui->sun, QRect(90, 20, 196, 126), QRect(40, 30, 320, 206), 300);
}

QPropertyAnimation *FormWeatherEffects::cloudEntrance()
{
    slide(ui->cloud2, QPoint(160, 70), QPoint(100, 70));
    slide(ui->cloud3, QPoint(-60, 40), QPoint(0, 40));
    fade(ui->cloud3);
    return fade(ui->cloud2);
}

void FormWeatherEffects::setSprite(QLabel *label, int picture)
{
    label->setStyleSheet(spriteSheet(picture));
}

// ---- scenes ------------------------------------------------------------------

void FormWeatherEffects::sunnyDay()
{
    for (QWidget *w : { ui->sun, ui->flare, ui->cloud1, ui->cloud2 })
        w->setVisible(true);
    sunEntrance();
    grow(ui->flare, QRect(120, 50, 1, 1), QRect(120, 60, 400, 400), 2000);
    slide(ui->cloud1, QPoint(60, 80), QPoint(0, 80));
    slide(ui->cloud2, QPoint(100, 70), QPoint(160, 70));
    fade(ui->cloud1, 1.0, 0.0);
    fade(ui->cloud2, 1.0, 0.0);
}

void FormWeatherEffects::partlyCloudy()
{
    for (QWidget *w : { ui->sun, ui->cloud1, ui->cloud2 })
        w->setVisible(true);
    sunEntrance();
    slide(ui->cloud1, QPoint(0, 80), QPoint(60, 80));
    slide(ui->cloud2, QPoint(160, 70), QPoint(100, 70));
    fade(ui->cloud1);
    fade(ui->cloud2);
}

void FormWeatherEffects::cloudyDay()
{
    ui->cloud3->setVisible(true);
    ui->cloud2->setVisible(true);
    cloudEntrance();
}

void FormWeatherEffects::shower()
{
    for (QWidget *w : { ui->sun, ui->cloud3, ui->cloud2 })
        w->setVisible(true);
    sunEntrance();
    connect(cloudEntrance(), &QPropertyAnimation::finished, this, &FormWeatherEffects::rainStart);
}

void FormWeatherEffects::ThunderShower()
{
    for (QWidget *w : { ui->cloud3, ui->cloud2, ui->thunder })
        w->setVisible(true);
    QPropertyAnimation *clouds = cloudEntrance();
    slide(ui->thunder, QPoint(210, 130), QPoint(140, 130));
    fade(ui->thunder);
    connect(clouds, &QPropertyAnimation::finished, this, &FormWeatherEffects::rainStart);
}

void FormWeatherEffects::Sleet()
{
    ui->cloud3->setVisible(true);
    ui->cloud2->setVisible(true);
    QPropertyAnimation *clouds = cloudEntrance();
    connect(clouds, &QPropertyAnimation::finished, this, &FormWeatherEffects::rainStart);
    connect(clouds, &QPropertyAnimation::finished, this, &FormWeatherEffects::snowStart);
}

void FormWeatherEffects::Rain()
{
    ui->cloud3->setVisible(true);
    ui->cloud2->setVisible(true);
    connect(cloudEntrance(), &QPropertyAnimation::finished, this, &FormWeatherEffects::rainStart);
}

void FormWeatherEffects::snowShower()
{
    for (QWidget *w : { ui->sun, ui->cloud3, ui->cloud2 })
        w->setVisible(true);
    sunEntrance();
    connect(cloudEntrance(), &QPropertyAnimation::finished, this, &FormWeatherEffects::snowStart);
}

void FormWeatherEffects::Snow()
{
    ui->cloud3->setVisible(true);
    ui->cloud2->setVisible(true);
    connect(cloudEntrance(), &QPropertyAnimation::finished, this, &FormWeatherEffects::snowStart);
}

// Fog, haze and sandstorm: the sun, and a veil drifting in and fading.
void FormWeatherEffects::veilBehindSun(QWidget *veil)
{
    ui->sun->setVisible(true);
    veil->setVisible(true);
    sunEntrance();
    slide(veil, QPoint(0, 40), QPoint(40, 40));
    fade(veil);
}

void FormWeatherEffects::Fog()
{
    veilBehindSun(ui->fog);
}

void FormWeatherEffects::Haze()
{
    veilBehindSun(ui->haze);
}

void FormWeatherEffects::Sandstorm()
{
    veilBehindSun(ui->sandstorm);
}

void FormWeatherEffects::Gale()
{
    ui->Gale->setVisible(true);
    slide(ui->Gale, QPoint(70, 60), QPoint(140, 70));
    fade(ui->Gale);
}

void FormWeatherEffects::Nodeta()
{
    ui->na->setVisible(true);
    slide(ui->na, QPoint(40, 40), QPoint(40, 30));
    fade(ui->na);
}

// ---- rain, snow and lightning sprites ---------------------------------------------

void FormWeatherEffects::rainStart()
{
    spriteTimer->start(SpriteMs);
    ui->rain->show();
    ui->rain2->show();
    fade(ui->rain);
    fade(ui->rain2);
}

void FormWeatherEffects::snowStart()
{
    spriteTimer->start(SpriteMs);
    ui->snow->show();
    fade(ui->snow);
}

void FormWeatherEffects::rainTimeOut()
{
    if (!isVisible()) {
        // Nobody sees it: sleep until shown again.
        spriteTimer->stop();
        spritePaused = true;
        return;
    }
    if (frameIndex >= 9)
        frameIndex = 0;
    const int *f = SpriteFrames[frameIndex];
    setSprite(ui->rain, f[0]);
    setSprite(ui->rain2, f[1]);
    setSprite(ui->snow, f[2]);
    setSprite(ui->thunder, f[3]);
    ++frameIndex;
}

void FormWeatherEffects::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Inside the weather window the scene plays again whenever the window
    // comes back (shown, restored); the overlay plays it with its fade-in.
    if (!isWindow()) {
        setWeatherIcon(m_played);
        return;
    }
    if (spritePaused) {
        spritePaused = false;
        spriteTimer->start(SpriteMs);
    }
}

// The pointer sweeping the bar passes the weather icon again and again: a
// scene nobody sees stops at once instead of playing out its entrance, and
// one that comes back starts anew (showStart).
void FormWeatherEffects::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    // Nor does it wait to fade in or out.
    fadeInTimer->stop();
    hideTimer->stop();
    if (!sceneAnimations.isEmpty() || spriteTimer->isActive())
        iconHide();
}

void FormWeatherEffects::iconHide()
{
    const auto running = sceneAnimations;
    sceneAnimations.clear();
    for (const QPointer<QAbstractAnimation> &a : running) {
        if (a)
            a->stop();
    }
    frameIndex = 0;
    spriteTimer->stop();
    spritePaused = false;
    setSprite(ui->rain, 6);
    setSprite(ui->rain2, 8);
    setSprite(ui->thunder, 9);
    for (QWidget *w : { ui->sun, ui->flare, ui->cloud1, ui->cloud2, ui->cloud3, ui->rain, ui->rain2, ui->thunder,
                        ui->snow, ui->fog, ui->haze, ui->sandstorm, ui->Gale, ui->na })
        w->hide();
}

// ---- the overlay's show sequence ---------------------------------------------

void FormWeatherEffects::showStart(int waited)
{
    // The overlay must never take the mouse. The dock replaces the window
    // flags after construction, so the input pass-through is added here; a
    // flag change re-creates the window, which then has to be shown again.
    if (isWindow() && !windowFlags().testFlag(Qt::WindowTransparentForInput)) {
        const bool visible = isVisible();
        setWindowFlag(Qt::WindowTransparentForInput, true);
        if (visible)
            show();
    }

    waited = qBound(0, waited, FadeInWaitMs);
    hideTimer->stop();
    hideTimer->start(5000 - waited);

    // Stays fully transparent for 200 ms, then fades in; waiting writes the
    // window's opacity once, not at every frame of the wait.
    setWindowOpacity(0.0);
    if (waited < FadeInWaitMs)
        fadeInTimer->start(FadeInWaitMs - waited);
    else
        myShow();
}

void FormWeatherEffects::myShow()
{
    // Hidden again before the fade began: the next showing starts its own.
    if (!isVisible())
        return;
    auto *fadeIn = new QPropertyAnimation(this, "windowOpacity");
    fadeIn->setDuration(200);
    fadeIn->setStartValue(0.0);
    fadeIn->setEndValue(1.0);
    fadeIn->start(QAbstractAnimation::DeleteWhenStopped);
    setWeatherIcon(weatherState);
}

void FormWeatherEffects::TimeOut()
{
    auto *fadeOut = new QPropertyAnimation(this, "windowOpacity");
    fadeOut->setDuration(200);
    fadeOut->setStartValue(1.0);
    fadeOut->setEndValue(0.0);
    connect(fadeOut, &QPropertyAnimation::finished, this, &QWidget::hide);
    fadeOut->start(QAbstractAnimation::DeleteWhenStopped);
    hideTimer->stop();
}
