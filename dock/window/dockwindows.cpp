#include "dockwindows.h"

#include "dock/editing/formaddurl.h"
#include "dock/editing/formiconlists.h"
#include "dock/editing/formiconsettings.h"
#include "dock/editing/formsidebarmenu.h"
#include "dock/icons/formselectdisk.h"
#include "dock/settings/formsettings.h"
#include "dock/settings/formstartup.h"
#include "dock/tools/formabout.h"
#include "dock/tools/formprotection.h"
#include "dock/tools/formshutdown.h"
#include "dock/tools/formupload.h"
#include "dock/tools/formvesk.h"
#include "dock/widgets/formdesktoptime.h"
#include "dock/widgets/formdesktopwidget.h"
#include "dock/widgets/formweather.h"
#include "platform/dialogs.h"

DockWindows::DockWindows(QWidget *dock) : QObject(dock), m_dock(dock) {}

DockWindows::~DockWindows()
{
    // Newest first: a window made later may hold on to an earlier one.
    for (int i = m_all.size() - 1; i >= 0; --i)
        delete m_all.at(i).data();
}

template<class T>
T *DockWindows::get(QPointer<T> &slot, std::optional<platform::WindowRole> role, QWidget *over)
{
    if (!slot) {
        slot = new T;
        if (role)
            platform::setWindowRole(slot.data(), *role);
        if (role == platform::WindowRole::Dialog && (over || m_dock))
            platform::placeOver(slot.data(), over ? over : m_dock, platform::Placing::OwnersScreen);
        m_all << slot.data();
        emit made(slot.data());
    }
    return slot.data();
}

void DockWindows::makeStartWindows()
{
    // The switch panel starts the desktop clock from the stored switches, so
    // both are there before the settings are read.
    FormDesktopTime *clock = desktopClock();
    FormDesktopWidget *panel = desktopWidgetPanel();
    connect(panel, &FormDesktopWidget::DesktopTimeShow, clock, &FormDesktopTime::setShow);
    connect(panel, &FormDesktopWidget::DesktopTimeSize, clock, &FormDesktopTime::DesktopTimeSize);
    connect(panel, &FormDesktopWidget::DesktopTimeStyle, clock, &FormDesktopTime::DesktopTimeStyle);
    connect(panel, &FormDesktopWidget::DesktopTimelocking, clock, &FormDesktopTime::DesktopTimelocking);
    connect(panel, &FormDesktopWidget::DesktopTimeLanguage, clock, &FormDesktopTime::DesktopTimeLanguage);
    connect(panel, &FormDesktopWidget::DesktopTimeAlpha, clock, &FormDesktopTime::DesktopTimeAlpha);
}

void DockWindows::startUpOver()
{
    updater()->startCheckTimer();
    updater()->startInit2();
    startUpPrompt()->CheckAutoRun();
}

int DockWindows::madeCount() const
{
    int n = 0;
    for (const QPointer<QWidget> &w : m_all)
        n += !w.isNull();
    return n;
}

FormSettings *DockWindows::settingsPanel() { return get(m_settings, platform::WindowRole::Dialog); }
FormUpload *DockWindows::updater() { return get(m_updater, platform::WindowRole::Dialog); }
FormShutDown *DockWindows::powerDialog() { return get(m_power, platform::WindowRole::Dialog); }
FormProtection *DockWindows::eyeProtection() { return get(m_eye, platform::WindowRole::Overlay); }
FormWeather *DockWindows::weatherWindow() { return get(m_weather, platform::WindowRole::Dialog); }
FormDesktopWidget *DockWindows::desktopWidgetPanel() { return get(m_desktopPanel, platform::WindowRole::Dialog); }
FormDesktopTime *DockWindows::desktopClock() { return get(m_desktopClock, std::nullopt); } // an overlay of its own making
FormAbout *DockWindows::aboutBox() { return get(m_about, platform::WindowRole::Dialog, settingsPanel()); }
FormSidebarMenu *DockWindows::sidePanel() { return get(m_side, platform::WindowRole::Popup); }
FormAddUrl *DockWindows::addUrlDialog() { return get(m_addUrl, platform::WindowRole::Dialog); }
FormIconSettings *DockWindows::iconSettingsDialog() { return get(m_iconSettings, platform::WindowRole::Dialog); }
FormIconLists *DockWindows::iconListsDialog() { return get(m_iconLists, platform::WindowRole::Dialog); }
FormSelectDisk *DockWindows::driveChooser() { return get(m_drive, platform::WindowRole::Dialog); }
FormVesk *DockWindows::searchBox() { return get(m_search, platform::WindowRole::Popup); }
FormStartUp *DockWindows::startUpPrompt()
{
    const bool made = m_startUp;
    FormStartUp *prompt = get(m_startUp, platform::WindowRole::Notice);
    if (!made)
        prompt->setScreenOf(m_dock);
    return prompt;
}
