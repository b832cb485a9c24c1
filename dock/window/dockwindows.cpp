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

DockWindows::DockWindows(QObject *parent) : QObject(parent) {}

DockWindows::~DockWindows()
{
    // Newest first: a window made later may hold on to an earlier one.
    for (int i = m_all.size() - 1; i >= 0; --i)
        delete m_all.at(i).data();
}

template<class T>
T *DockWindows::get(QPointer<T> &slot)
{
    if (!slot) {
        slot = new T;
        m_all << slot.data();
        emit made(slot.data());
    }
    return slot.data();
}

void DockWindows::makeStartWindows()
{
    // The switch panel starts the desktop clock from the stored switches, so
    // both are there before the settings are read.
    desktopClock();
    desktopWidgetPanel();
}

int DockWindows::madeCount() const
{
    int n = 0;
    for (const QPointer<QWidget> &w : m_all)
        n += !w.isNull();
    return n;
}

FormSettings *DockWindows::settingsPanel() { return get(m_settings); }
FormUpload *DockWindows::updater() { return get(m_updater); }
FormShutDown *DockWindows::powerDialog() { return get(m_power); }
FormProtection *DockWindows::eyeProtection() { return get(m_eye); }
FormWeather *DockWindows::weatherWindow() { return get(m_weather); }
FormDesktopWidget *DockWindows::desktopWidgetPanel() { return get(m_desktopPanel); }
FormDesktopTime *DockWindows::desktopClock() { return get(m_desktopClock); }
FormAbout *DockWindows::aboutBox() { return get(m_about); }
FormSidebarMenu *DockWindows::sidePanel() { return get(m_side); }
FormAddUrl *DockWindows::addUrlDialog() { return get(m_addUrl); }
FormIconSettings *DockWindows::iconSettingsDialog() { return get(m_iconSettings); }
FormIconLists *DockWindows::iconListsDialog() { return get(m_iconLists); }
FormSelectDisk *DockWindows::driveChooser() { return get(m_drive); }
FormVesk *DockWindows::searchBox() { return get(m_search); }
FormStartUp *DockWindows::startUpPrompt() { return get(m_startUp); }
