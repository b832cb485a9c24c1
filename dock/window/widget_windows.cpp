#include "widget_p.h"
#include "hovertips.h"
#include "dockwindows.h"

// The secondary windows are made by m_windows when first needed; here each
// is connected to the dock as it comes.
void Widget::wireWindow(QWidget *window)
{
    if (auto *panel = qobject_cast<FormSettings *>(window)) {
        connect(panel, &FormSettings::setClose, this, &Widget::setClose);
        connect(panel, &FormSettings::setScreen, this, &Widget::setScreen);
        connect(panel, &FormSettings::setMargin, this, &Widget::setMargin);
        connect(panel, &FormSettings::setPosition, this, &Widget::setPosition);
        connect(panel, &FormSettings::setLevel, this, &Widget::setLevel2);
        connect(panel, &FormSettings::setIcoSize, this, &Widget::setIcoSize);
        connect(panel, &FormSettings::setIcoNameSize, this, &Widget::setIcoNameSize);
        connect(panel, &FormSettings::setIcoScale, this, &Widget::setIcoScale);
        connect(panel, &FormSettings::setBackgroundStyle, this, &Widget::setBackgroundStyle);
        connect(panel, &FormSettings::setTransparentBackground, this, &Widget::setTransparentBackground);
        connect(panel, &FormSettings::setClick, this, &Widget::setClick);
        connect(panel, &FormSettings::setLocking, this, &Widget::setLocking);
        connect(panel, &FormSettings::setHide, this, &Widget::setHide);
        connect(panel, &FormSettings::setUpgradeNotice, this, &Widget::setUpgradeNotice);
        connect(panel, &FormSettings::setMousePop, this, &Widget::setMousePop);
        connect(panel, &FormSettings::setMouseMaximize, this, &Widget::setMouseMaximize);
        connect(panel, &FormSettings::setMouseFullScreen, this, &Widget::setMouseFullScreen);
        connect(panel, &FormSettings::setInductionIco, this, &Widget::setInductionIco);
        connect(panel, &FormSettings::setWinShow, this, &Widget::setWinShow);
        connect(panel, &FormSettings::setIconDoubleClick, this, &Widget::setIconDoubleClick);
        connect(panel, &FormSettings::setTaskbarAlpha, this, &Widget::setTaskbarAlpha);
        connect(panel, &FormSettings::setTaskbarBlurry, this, &Widget::setTaskbarBlurry);
        connect(panel, &FormSettings::setTaskbarHide, this, &Widget::setTaskbarHide);
        connect(panel, &FormSettings::setDesktopIcon, this, &Widget::setDesktopIcon);
        connect(panel, &FormSettings::setWorkArea, this, &Widget::setWorkArea);
        connect(panel, &FormSettings::setLanguage, this, &Widget::setLanguage);
        connect(panel, &FormSettings::upDate, this, &Widget::upDate);
        connect(panel, &FormSettings::showAbout, this, &Widget::showAbout);
        connect(panel, &FormSettings::setKey, this, &Widget::setKey);
    } else if (auto *updater = qobject_cast<FormUpload *>(window)) {
        connect(updater, &FormUpload::updates, this, &Widget::updates);
    } else if (auto *weather = qobject_cast<FormWeather *>(window)) {
        connect(weather, &FormWeather::setWeatherInit, this, &Widget::setWeatherInit);
        connect(weather, &FormWeather::setWeatherInit, m_tips->scene(), &FormWeatherEffects::setWeatherInit);
    }
}

FormWeather *Widget::weatherWindow() { return m_windows->weatherWindow(); }
