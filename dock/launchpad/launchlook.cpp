#include "launchlook.h"

#include "dock/settings/configfile.h"
#include "dock/window/buttonsheet.h"

#include <QColor>
#include <QSettings>

namespace {

int readInt(QSettings &set, const char *key, int fallback, int low, int high)
{
    const QString text = set.value(QLatin1String(key)).toString();
    // A value that is not a number reads as 0 and is then brought into range.
    const int v = text.isEmpty() ? fallback : text.toInt();
    return qBound(low, v, high);
}

} // namespace

LaunchLook LaunchLook::load(const LaunchLook &current)
{
    LaunchLook l = current;
    QSettings set(settingsfile::path(), QSettings::IniFormat);
    l.iconSize = readInt(set, "LaunchPad/IconSize", 160, MinIconSize, MaxIconSize);
    l.blurRadius = readInt(set, "LaunchPad/Blurry", 30, 0, MaxBlur);
    l.brightness = readInt(set, "LaunchPad/luminance", 90, 0, MaxBrightness);
    const QString image = set.value(QStringLiteral("LaunchPad/BackgroundImage")).toString();
    if (!image.isEmpty())
        l.backgroundImage = image;
    const QString background = set.value(QStringLiteral("LaunchPad/Background")).toString();
    l.backgroundStored = !background.isEmpty();
    l.useBackgroundImage = background.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
    const QString colour = set.value(QStringLiteral("LaunchPad/NameColor")).toString();
    // Only a colour the style sheet can take; anything else gives white names.
    l.nameColor = QColor::isValidColor(colour) && colour.startsWith(QLatin1Char('#')) ? colour
                                                                                       : QStringLiteral("#FFFFFF");
    return l;
}

void LaunchLook::save() const
{
    QSettings set(settingsfile::path(), QSettings::IniFormat);
    settingsfile::keepIfBad(set);
    set.setValue(QStringLiteral("LaunchPad/IconSize"), QString::number(iconSize));
    set.setValue(QStringLiteral("LaunchPad/Blurry"), QString::number(blurRadius));
    set.setValue(QStringLiteral("LaunchPad/luminance"), QString::number(brightness));
    set.setValue(QStringLiteral("LaunchPad/Background"), useBackgroundImage);
    set.setValue(QStringLiteral("LaunchPad/BackgroundImage"), backgroundImage);
    set.setValue(QStringLiteral("LaunchPad/NameColor"), nameColor);
}

namespace LaunchStyle {

QString brightnessSheet(int p)
{
    QString colour;
    if (p < 100)
        colour = QStringLiteral("rgba(0,0,0,") + QString::number(100 - p) + QStringLiteral("%)");
    else if (p == 100)
        colour = QStringLiteral("rgba(0,0,0,0)");
    else
        colour = QStringLiteral("rgba(255,255,255,") + QString::number(p - 100) + QStringLiteral("%)");
    return QStringLiteral("QPushButton{border-image: url();background-image: url();background-color: ") + colour
        + QStringLiteral(";border-radius:0px;border:0px;border-style:solid;border-color: #535B6F;}");
}

QString brightnessText(int p)
{
    if (p < 100)
        return QStringLiteral("-%1%").arg(100 - p);
    return QStringLiteral("%1%").arg(p - 100);
}

QString colourButtonSheet(const QString &name, bool marked)
{
    const QString plain = QStringLiteral(":/image/menu/") + name + QStringLiteral(".png");
    const QString mark = QStringLiteral(":/image/menu/") + name + QStringLiteral("1.png");
    return pictureButtonSheet(marked ? mark : plain, mark);
}

} // namespace LaunchStyle
