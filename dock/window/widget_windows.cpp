#include "widget_p.h"

// The windows the dock opens only when asked are made at their first use and
// then kept for the rest of the run.

FormAbout *Widget::aboutBox()
{
    if (!m_about) {
        m_about = new FormAbout;
        platform::setWindowRole(m_about, platform::WindowRole::Dialog);
    }
    return m_about;
}

FormSidebarMenu *Widget::sidePanel()
{
    if (!m_sidebar) {
        m_sidebar = new FormSidebarMenu;
        platform::setWindowRole(m_sidebar, platform::WindowRole::Popup);
        connect(m_sidebar, &FormSidebarMenu::SidebarMenuClose, this, &Widget::SidebarMenuClose);
        connect(m_sidebar, &FormSidebarMenu::AddIcon, this, &Widget::AddIcon2);
    }
    return m_sidebar;
}

FormAddUrl *Widget::addUrlDialog()
{
    if (!m_addUrl) {
        m_addUrl = new FormAddUrl;
        platform::setWindowRole(m_addUrl, platform::WindowRole::Dialog);
        connect(m_addUrl, &FormAddUrl::AddIcon, this, &Widget::AddIcon2);
    }
    return m_addUrl;
}

FormIconSettings *Widget::iconSettingsDialog()
{
    if (!m_iconSettings) {
        m_iconSettings = new FormIconSettings;
        platform::setWindowRole(m_iconSettings, platform::WindowRole::Dialog);
        connect(m_iconSettings, &FormIconSettings::Modify, this, &Widget::Modify);
        connect(m_iconSettings, &FormIconSettings::IconSettingsClose, this, &Widget::IconSettingsClose);
    }
    return m_iconSettings;
}

FormIconLists *Widget::iconListsDialog()
{
    if (!m_iconLists) {
        m_iconLists = new FormIconLists;
        platform::setWindowRole(m_iconLists, platform::WindowRole::Dialog);
        connect(m_iconLists, &FormIconLists::AddIcon, this, &Widget::AddIcon2);
    }
    return m_iconLists;
}

FormSelectDisk *Widget::driveChooser()
{
    if (!m_selectDisk) {
        m_selectDisk = new FormSelectDisk;
        platform::setWindowRole(m_selectDisk, platform::WindowRole::Dialog);
        connect(m_selectDisk, &FormSelectDisk::setIconDisk, this, &Widget::setIconDisk);
    }
    return m_selectDisk;
}

FormVesk *Widget::searchBox()
{
    if (!m_vesk) {
        m_vesk = new FormVesk;
        platform::setWindowRole(m_vesk, platform::WindowRole::Popup);
    }
    return m_vesk;
}

FormStartUp *Widget::startUpPrompt()
{
    if (!m_startUp) {
        m_startUp = new FormStartUp;
        platform::setWindowRole(m_startUp, platform::WindowRole::Notice);
    }
    return m_startUp;
}
