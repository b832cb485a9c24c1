#include "launchlook.h"

#include "dock/settings/docksettings.h"
#include "dock/style/dockstyle.h"

#include <QColor>

LaunchLook LaunchLook::load(const LaunchLook &current)
{
    LaunchLook l = current;
    const DockSettings &set = *DockSettings::instance();
    using Key = DockSettings::Key;
    // A value that is not a number reads as 0 and is then brought into range.
    l.iconSize = qBound(int(MinIconSize), set.launchPadIconSize(), int(MaxIconSize));
    l.blurRadius = qBound(0, set.launchPadBlurry(), int(MaxBlur));
    l.brightness = qBound(0, set.launchPadLuminance(), int(MaxBrightness));
    if (set.hasText(Key::launchPadBackgroundImage))
        l.backgroundImage = set.launchPadBackgroundImage();
    // Only the text "true", in any case, chooses the own picture.
    l.backgroundStored = set.hasText(Key::launchPadBackground);
    l.useBackgroundImage = l.backgroundStored
        && set.stored(Key::launchPadBackground).toString().compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
    const QString colour = set.launchPadNameColor();
    // Only a colour the style sheet can take; anything else gives white names.
    l.nameColor = QColor::isValidColor(colour) && colour.startsWith(QLatin1Char('#')) ? colour
                                                                                       : QStringLiteral("#FFFFFF");
    return l;
}

void LaunchLook::save() const
{
    DockSettings &set = *DockSettings::instance();
    set.setLaunchPadIconSize(iconSize);
    set.setLaunchPadBlurry(blurRadius);
    set.setLaunchPadLuminance(brightness);
    set.setLaunchPadBackground(useBackgroundImage);
    set.setLaunchPadBackgroundImage(backgroundImage);
    set.setLaunchPadNameColor(nameColor);
    set.save();
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
