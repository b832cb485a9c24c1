#include "launchlookpanel.h"

#include "ui_formlaunchstarter.h"

#include "dock/style/dockstyle.h"
#include "platform/dialogs.h"
#include "platform/paths.h"

#include <QFileInfo>
#include <QPropertyAnimation>
#include <QSignalBlocker>

namespace {

using Form = Ui::FormLaunchStarter;
struct Colour
{
    QPushButton *Form::*button;
    const char *rgb;
};
const Colour Colours[] = { { &Form::white, "#FFFFFF" },  { &Form::black, "#000000" }, { &Form::red, "#FF0000" },
                           { &Form::yellow, "#FFFF00" }, { &Form::blue, "#0080FF" },  { &Form::green, "#00FF00" },
                           { &Form::purple, "#7F00FF" }, { &Form::powder, "#FF00FF" } };

} // namespace

LaunchLookPanel::LaunchLookPanel(Ui::FormLaunchStarter *form, QObject *parent) : QObject(parent), ui(form)
{
    ui->frameLSet->hide();
    // The file name of a picture chosen by the user: shown as it is written.
    ui->labelImg->setTextFormat(Qt::PlainText);
    connect(ui->SetClose, &QPushButton::clicked, this, [this] {
        hide();
        save();
    });
    connect(ui->horizontalSliderSize, &QSlider::valueChanged, this, &LaunchLookPanel::setIconSize);
    connect(ui->horizontalSliderBlurry, &QSlider::valueChanged, this, &LaunchLookPanel::setBlur);
    connect(ui->horizontalSliderBrightness, &QSlider::valueChanged, this, &LaunchLookPanel::setBrightness);
    connect(ui->imgButton, &QCheckBox::clicked, this, &LaunchLookPanel::setOwnPicture);
    connect(ui->imgButtonS, &QPushButton::clicked, this, &LaunchLookPanel::choosePicture);
    for (const Colour &c : Colours) {
        QPushButton *b = ui->*c.button;
        const QString rgb = QLatin1String(c.rgb);
        connect(b, &QPushButton::clicked, this, [this, b, rgb] { markColour(b, rgb); });
    }

    const struct
    {
        QPushButton *button;
        const char *picture;
    } marks[] = { { ui->addFolderButton_2, "size1" }, { ui->blurryButton, "blurry1" }, { ui->brightnessButton, "brightness1" } };
    for (const auto &m : marks) {
        const QString pic = QStringLiteral(":/image/menu/%1.png").arg(QLatin1String(m.picture));
        m.button->setStyleSheet(pictureButtonSheet(pic, pic));
    }
    ui->imgButtonS->setStyleSheet(QStringLiteral(
        "QPushButton{background-color: #5F616E;border:0px;border-radius:2px;color: rgb(255, 255, 255);}"
        "QPushButton:hover{background-color: #5294E2;}QPushButton:pressed{background-color: #5294E2;}"));
    ui->imgButton->setStyleSheet(QStringLiteral(
        "QCheckBox::indicator{width:32px;height:32px;}"
        "QCheckBox::indicator:unchecked{border-image: url(:/image/menu/img.png);}"
        "QCheckBox::indicator:checked{border-image: url(:/image/menu/img1.png);}"));
    const QString sliderSheet = QStringLiteral(
        "QSlider::groove:horizontal{height:1px;background:#bcbcbc;border:0px;}"
        "QSlider::handle:horizontal{width:10px;height:10px;margin:-5px 0px;border-image: url(:/image/menu/Volume2.png);}"
        "QSlider::handle:horizontal:hover{border-image: url(:/image/menu/Volume3.png);}");
    for (QSlider *s : { ui->horizontalSliderSize, ui->horizontalSliderBlurry, ui->horizontalSliderBrightness })
        s->setStyleSheet(sliderSheet);
    plainColours();
    ui->imgButtonS->setEnabled(false);
}

bool LaunchLookPanel::showsOwnPicture() const
{
    return m_look.useBackgroundImage && !ui->labelImg->text().isEmpty();
}

void LaunchLookPanel::setIconSize(int value)
{
    ui->labelSize->setText(QStringLiteral("%1px").arg(value));
    m_look.iconSize = value;
    emit iconSizeChanged(value);
}

void LaunchLookPanel::setBlur(int value)
{
    ui->labelBlurry->setText(QStringLiteral("%1%").arg(value));
    m_look.blurRadius = value;
    emit blurChanged(value);
}

void LaunchLookPanel::setBrightness(int value)
{
    m_look.brightness = value;
    ui->labelBrightness->setText(LaunchStyle::brightnessText(value));
    // The tint is the colour of the full-window button over the picture.
    ui->closeButton->setStyleSheet(LaunchStyle::brightnessSheet(value));
}

void LaunchLookPanel::setNameColor(const QString &rgb)
{
    m_look.nameColor = rgb;
    emit nameColorChanged(rgb);
}

void LaunchLookPanel::plainColours()
{
    for (const Colour &c : Colours) {
        QPushButton *b = ui->*c.button;
        b->setStyleSheet(LaunchStyle::colourButtonSheet(b->objectName(), false));
    }
}

void LaunchLookPanel::markColour(QPushButton *button, const QString &rgb)
{
    plainColours();
    button->setStyleSheet(LaunchStyle::colourButtonSheet(button->objectName(), true));
    setNameColor(rgb);
}

void LaunchLookPanel::setOwnPicture(bool on)
{
    m_look.useBackgroundImage = on;
    ui->imgButtonS->setEnabled(on);
    emit backgroundChanged();
}

void LaunchLookPanel::choosePicture()
{
    emit closeOnDeactivateChanged(false);
    const QStringList files = platform::DialogsService::get().openFileNames(
        ui->imgButtonS->window(), tr("选择文件"), platform::desktopFolder(),
        tr("files(*.jpg *.JPG *.png *.PNG)"));
    // Cancelled: the pad stays open when it loses the focus until it closes.
    if (files.isEmpty())
        return;
    m_look.backgroundImage = files.first();
    ui->labelImg->setText(QFileInfo(m_look.backgroundImage).fileName());
    emit backgroundChanged();
    emit closeOnDeactivateChanged(true);
}

bool LaunchLookPanel::open()
{
    if (ui->frameLSet->isVisible())
        return false;
    ui->frameLSet->show();
    ui->frameLSet->raise();
    auto *a = new QPropertyAnimation(ui->frameLSet, "pos", this);
    a->setDuration(200);
    a->setEasingCurve(QEasingCurve::OutQuad);
    a->setStartValue(QPoint(-ui->frameLSet->width(), 30));
    a->setEndValue(QPoint(10, 30));
    a->start(QAbstractAnimation::DeleteWhenStopped);
    return true;
}

void LaunchLookPanel::hide()
{
    ui->frameLSet->hide();
}

void LaunchLookPanel::read()
{
    m_look = LaunchLook::load(m_look);
    const LaunchLook l = m_look;
    {
        // The sliders' own slots would apply each value a second time below.
        const QSignalBlocker size(ui->horizontalSliderSize), blur(ui->horizontalSliderBlurry),
            brightness(ui->horizontalSliderBrightness);
        ui->horizontalSliderSize->setValue(l.iconSize);
        ui->horizontalSliderBlurry->setValue(l.blurRadius);
        ui->horizontalSliderBrightness->setValue(l.brightness);
    }
    ui->imgButton->setChecked(l.useBackgroundImage);
    if (l.backgroundStored)
        ui->labelImg->setText(QFileInfo(l.backgroundImage).fileName());
    ui->imgButtonS->setEnabled(l.backgroundStored && l.useBackgroundImage);
    setIconSize(l.iconSize);
    setBlur(l.blurRadius);
    setBrightness(l.brightness);
    setNameColor(l.nameColor);
}

void LaunchLookPanel::save() const
{
    m_look.save();
}
