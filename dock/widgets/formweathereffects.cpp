#include "dock/widgets/formweathereffects.h"

#include "ui_formweathereffects.h"

#include <QPropertyAnimation>
#include <QTimer>

FormWeatherEffects::FormWeatherEffects(QWidget *parent)
    : QWidget(parent), ui(new Ui::FormWeatherEffects)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_TranslucentBackground);
    weatherState = "32";

    hideTimer = new QTimer(this);
    hideTimer->setSingleShot(true);
    connect(hideTimer, &QTimer::timeout, this, &FormWeatherEffects::TimeOut);
}

FormWeatherEffects::~FormWeatherEffects()
{
    delete ui;
}

void FormWeatherEffects::setWeatherInit(QString Name, QString stateDetailed, QString temNow,
                                        QString state)
{
    Q_UNUSED(Name)
    Q_UNUSED(stateDetailed)
    Q_UNUSED(temNow)
    weatherState = state;
}

void FormWeatherEffects::showStart()
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

    hideTimer->stop();
    hideTimer->start(5000);

    // Stays fully transparent for 200 ms, then fades in.
    auto *hold = new QPropertyAnimation(this, "windowOpacity");
    hold->setDuration(200);
    hold->setStartValue(0.0);
    hold->setEndValue(0.0);
    connect(hold, &QPropertyAnimation::finished, this, &FormWeatherEffects::myShow);
    hold->start(QAbstractAnimation::DeleteWhenStopped);
}

void FormWeatherEffects::myShow()
{
    auto *fade = new QPropertyAnimation(this, "windowOpacity");
    fade->setDuration(200);
    fade->setStartValue(0.0);
    fade->setEndValue(1.0);
    fade->start(QAbstractAnimation::DeleteWhenStopped);
}

void FormWeatherEffects::TimeOut()
{
    auto *fade = new QPropertyAnimation(this, "windowOpacity");
    fade->setDuration(200);
    fade->setStartValue(1.0);
    fade->setEndValue(0.0);
    connect(fade, &QPropertyAnimation::finished, this, &QWidget::hide);
    fade->start(QAbstractAnimation::DeleteWhenStopped);
    hideTimer->stop();
}
