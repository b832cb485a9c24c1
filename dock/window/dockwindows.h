#pragma once
#include <QObject>
#include <QPointer>

#include "platform/windowsystem.h"

#include <optional>

class FormAbout;
class FormAddUrl;
class FormDesktopTime;
class FormDesktopWidget;
class FormIconLists;
class FormIconSettings;
class FormSelectDisk;
class FormSettings;
class FormShutDown;
class FormSidebarMenu;
class FormStartUp;
class FormProtection;
class FormUpload;
class FormVesk;
class FormWeather;
class QWidget;

// The dock's secondary top-level windows. Each is made the first time it is
// asked for and kept for the rest of the run; `made` tells the dock so that
// it can connect the new window to itself. Only the desktop clock and its
// switch panel are made at once (see makeStartWindows): they act at start.
// The dialogs stand over the dock window, on the bar's screen; the about box
// over the settings panel, from which it is opened.
class DockWindows : public QObject
{
    Q_OBJECT
public:
    // dock: the dock window, which is also the parent.
    explicit DockWindows(QWidget *dock = nullptr);
    ~DockWindows() override;

    // The desktop clock and its switch panel, wired to each other.
    void makeStartWindows();
    // The start-up is over: the updater begins its checks and the prompt
    // asks about starting with the session.
    void startUpOver();

    FormSettings *settingsPanel();
    FormUpload *updater();
    FormShutDown *powerDialog();
    FormProtection *eyeProtection();
    FormWeather *weatherWindow();
    FormDesktopWidget *desktopWidgetPanel();
    FormDesktopTime *desktopClock();
    FormAbout *aboutBox();
    FormSidebarMenu *sidePanel();
    FormAddUrl *addUrlDialog();
    FormIconSettings *iconSettingsDialog();
    FormIconLists *iconListsDialog();
    FormSelectDisk *driveChooser();
    FormVesk *searchBox();
    FormStartUp *startUpPrompt();

    // How many windows exist so far.
    int madeCount() const;

signals:
    void made(QWidget *window);

private:
    // Makes the window at the first call and declares its role; a dialog
    // stands over `over` (the dock window unless named).
    template<class T>
    T *get(QPointer<T> &slot, std::optional<platform::WindowRole> role, QWidget *over = nullptr);

    QWidget *m_dock;

    QPointer<FormSettings> m_settings;
    QPointer<FormUpload> m_updater;
    QPointer<FormShutDown> m_power;
    QPointer<FormProtection> m_eye;
    QPointer<FormWeather> m_weather;
    QPointer<FormDesktopWidget> m_desktopPanel;
    QPointer<FormDesktopTime> m_desktopClock;
    QPointer<FormAbout> m_about;
    QPointer<FormSidebarMenu> m_side;
    QPointer<FormAddUrl> m_addUrl;
    QPointer<FormIconSettings> m_iconSettings;
    QPointer<FormIconLists> m_iconLists;
    QPointer<FormSelectDisk> m_drive;
    QPointer<FormVesk> m_search;
    QPointer<FormStartUp> m_startUp;
    QList<QPointer<QWidget>> m_all;
};
