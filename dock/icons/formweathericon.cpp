#include "formweathericon.h"
#include "ui_formweathericon.h"

#include "dock/icons/iconpictures.h"
#include "dock/widgets/weatherfeed.h"

FormWeatherIcon::FormWeatherIcon(QWidget *parent) : QWidget(parent), ui(new Ui::FormWeatherIcon)
{
    ui->setupUi(this);
    m_background = QStringLiteral(":/image/icon/White.png");
    setWeather(QString(), QString(), QStringLiteral("/"), QStringLiteral("32"));
}

FormWeatherIcon::~FormWeatherIcon()
{
    delete ui;
}

QLabel *FormWeatherIcon::temperatureLabel() const { return ui->name; }
QLabel *FormWeatherIcon::stateLabel() const { return ui->Icon; }
QLabel *FormWeatherIcon::backgroundLabel() const { return ui->bg; }

int FormWeatherIcon::pictureNumber(int code)
{
    return WeatherState::pictureNumber(code);
}

QString FormWeatherIcon::statePicture(const QString &state)
{
    return WeatherState::picture(state);
}

QSize FormWeatherIcon::statePictureSize() const
{
    return QSize(width() - width() / 3, height() - height() / 3);
}

void FormWeatherIcon::placeState()
{
    ui->Icon->resize(statePictureSize());
    IconPictures::show(ui->Icon, m_statePicture, ui->Icon->size());
    ui->Icon->move(width() - ui->Icon->width() - 2, 0);
}

void FormWeatherIcon::setWeather(const QString &, const QString &, const QString &temNow, const QString &state)
{
    m_temperature = temNow;
    m_statePicture = statePicture(state);
    placeState();
    layoutText();
}

void FormWeatherIcon::layoutText()
{
    if (m_temperature != QLatin1String("/"))
        ui->name->setText(tr("%1°").arg(m_temperature));
    else
        ui->name->setText(tr(" %1  ").arg(m_temperature));
    QFont f(QStringLiteral("Microsoft YaHei"));
    f.setWeight(60);
    f.setPixelSize(qMax(1, width() / 3));
    ui->name->setFont(f);
    ui->name->adjustSize();
    ui->name->move(width() / 8, height() - ui->name->height());
}

void FormWeatherIcon::setIconImage(const QString &path)
{
    m_background = path == QLatin1String(":/image/icon/Weather.png") ? QStringLiteral(":/image/icon/White.png") : path;
    IconPictures::show(ui->bg, m_background, size());
}

void FormWeatherIcon::resizeEvent(QResizeEvent *)
{
    ui->bg->resize(size());
    IconPictures::show(ui->bg, m_background, size());
    placeState();
    layoutText();
}
