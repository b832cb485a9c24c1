#pragma once
#include "dock/model/dockicon.h"
#include "dock/settings/docksettings.h"

#include <QHash>
#include <functional>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QSystemTrayIcon>
#include <QSet>
#include <QWidget>

class DockBar;
class FormDesktopTime;
class FormDesktopWidget;
class ActiveWindowNotices;
class AutoHide;
class BarLayout;
class FormDetection;
class FormLaunchStarter;
class FormSystemHint;
class FormWeather;
class QDragEnterEvent;
class QDragLeaveEvent;
class QDragMoveEvent;
class QDropEvent;
class QSystemTrayIcon;
class DockIconList;
class QTimer;
class DockHotkeys;
class DockActions;
class DockDrag;
class DockMessages;
class DockWindows;
class DockMenus;
class DockAdding;
class HoverTips;
class RemovableDisks;
class DockShowing;
class FirstPaint;

namespace Ui {
class Widget;
}

// The dock window: a frameless translucent window over its screen that holds
// the bar, owns every long-lived window of the dock and keeps the icon table.
class Widget : public QWidget
{
    Q_OBJECT
public:
    explicit Widget(QWidget *parent = nullptr);
    ~Widget() override;

    static const QString WindowTitle; // "Zorvane-Window", by which other programs find the dock

    // Read access for the tests and the windows that look at the dock.
    DockIconList *iconTable() const;
    DockHotkeys *hotkeys() const { return m_hotkeys; }
    FormSystemHint *toast() const { return m_toast; }
    // The painted row of icons.
    DockBar *bar() const { return m_bar; }
    // The screen rectangle the bar is on (a missing screen falls back to 0).
    QRect screenRect() const;
    // Where the window stands and its slides, kept by their own objects.
    AutoHide *autoHide() const { return m_autoHide; }

    // The parts the dock window hands its work to: the secondary windows,
    // what opening icons and the icon commands do, and the messages and tick.
    DockWindows *windows() const { return m_windows; }
    DockActions *actions() const { return m_actions; }
    DockMessages *messages() const { return m_messages; }

    // The windows of the bar itself, its flags and timers.
    FormLaunchStarter *launchPad() const { return m_launchPad; }
    DockMenus *menus() const { return m_menus; }
    // The name bubble and the weather scene beside the hovered icon.
    HoverTips *tips() const { return m_tips; }
    // What the bubble says over the icon of that row.
    QString bubbleText(int row) const;
    RemovableDisks *disks() const { return m_disks; }
    // Dragging icons in, out of and within the bar.
    DockDrag *drag() const { return m_drag; }
    // The bar's sizes, geometry and look, and where the window stands.
    BarLayout *barLayout() const { return m_layout; }
    // When the bar is in sight, and the menu and pop-up flags that keep it there.
    DockShowing *showing() const { return m_showing; }

    // The large picture of a program file, for icons made from it.
    QPixmap getJumbIcon(QString filePath);

public slots:
    // start-up and quitting
    void systemClose();

    // the icon file
    void OpenFile();
    void SaveFile();
    void clearIcoData();

    // the settings file
    void ReadSettings();
    void SaveSettings();
    void initSaveSettings();
    void setKey(QString x, QString key);

    // placement and icons
    void createIcon();
    void createClassIco();
    void clearIcon();
    void IconSorting();
    void IconWidth(QString ID, int w);
    void setClose();
    void setTemporaryIcoSize(int v);
    void WindowsTrayWndMove();
    void IconDisplay();
    void IconDisplayShow();

    // hover magnification
    void IconMouseIn(QString ID, QString types);
    void IconMouseMove(QString ID, QPoint p);
    void MousePosition(int p);

    // showing, hiding and the edge strip
    void MouseIn();
    void HiddenEnd();
    void myIn();
    void myInEnd();
    void myOut();
    void showFrameArea(bool b);
    void setShowWindows();
    void setHideWindows();
    void IconFreeze(bool b);
    void IconRestore();
    void MenuHide();

    // adding and changing icons
    void AddIcon(QString ico, QString name, QString cl, QString path);
    void AddIcon2(QString ico, QString name, QString cl, QString path, QString ID);
    void getIconNew(QString filePath, QString ID);
    void AddIco();
    void menuAddIco(QString ID);
    void AddSystemIcon();
    void menuAddSystemIco(QString ID);
    void AddUrlIco();
    void menuAddUrlIco(QString ID);
    void AddMenu();
    void AddBlank();
    void AddFolder();
    void menuAddFolder(QString ID);
    void AddDesktopWidget();
    void Modify(QString icoID, QString ico, QString name, QString note);
    void IconSettingsClose();
    void SidebarMenuClose();
    void setIconDisk(QString icoID, QString d);
    void updates();
    void updateIconProcess();

    // opening icons and tools
    void IconOpen(QString ID);
    void IconOpens(QString cl);
    void menuOpenIco(QString ID, int x);
    void DllIconOpen(QString filePath);
    void NotMenuHide(QString ID);
    void myHelp();
    void showStartMenu();
    void upDate();
    void showAbout();
    void showSet();
    void openKelvash();
    void openColorPicker();
    void openScreenshot();
    void showLaunchStarter();
    void LaunchPadClose();
    void hideStartMenu();

    // messages, the tick and the start-up timer
    void SendSystemMessage(QString object, QString content);
    void timeOver();
    void StartUpOver();
    bool WindowToolDetection();
    void setDetectionShow(QString x);
    void setWeatherInit(QString Name, QString stateDetailed, QString temNow, QString state);

    // removable disks
    void UDiskCome(QString root);
    void UDiskRemove();
    void UDiskTimeOut();
    void AddUDisk(QString filePath, QString fileName);
    void clearUDiskIcon();

    // dragging icons in, out of and within the bar
    void IconPressMove(QString ID, QPoint p);
    void IconPressPosMove();
    void IconPressRelease(QString ID, QPoint p);
    void IconMove(QString ID, QPoint p, int w, int h, QString types);
    void IconDetectionExists(QString ID);
    void SerialNumber(int row, int lr);
    void MenuSerialNumber(int row);
    void setIcoBShow(bool b);
    void setIcoBMoveShow(bool b);
    void menuIcoMove(QString ID);
    void returnAddIcon(QString ID, QString ico, QString name, QString cl, QString path, QPoint p);
    void returnConfirm(bool b);
    void AddIconTemporary();
    bool AddIcon3(QString ico, QString name, QString cl, QString path, QString ID);

    // icon commands, the bar menu and the tray
    void showMenu(QString id, int x);
    void PanelHide();
    void createTrayIcon();
    void iconActivated(QSystemTrayIcon::ActivationReason reason);

protected:
    void showEvent(QShowEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void wheelEvent(QWheelEvent *e) override;
    bool eventFilter(QObject *o, QEvent *e) override;
    void dragEnterEvent(QDragEnterEvent *e) override;
    void dragMoveEvent(QDragMoveEvent *e) override;
    void dragLeaveEvent(QDragLeaveEvent *e) override;
    void dropEvent(QDropEvent *e) override;

private:
    void initialize();
    // What the dock window itself does when a setting changes.
    void settingChanged(DockSettings::Key key);
    void askLanguageRestart();
    // The secondary windows, connected to the dock when first made.
    void wireWindow(QWidget *window);
    void wireActions();
    FormWeather *weatherWindow();
    void showToast(const QString &text);
    void tellKeptFiles();
    void tellFailure(const QString &text);
    void rebuildBar();
    DockDrag *makeDrag();
    DockAdding *makeAdding();

    Ui::Widget *ui;
    DockSettings *m_file = nullptr;  // config.ini
    DockIconList *IcoData = nullptr; // the bar's rows, in bar order

    DockWindows *m_windows = nullptr;
    DockActions *m_actions = nullptr;
    DockMessages *m_messages = nullptr;
    ActiveWindowNotices *m_notices = nullptr;
    HoverTips *m_tips = nullptr;
    DockDrag *m_drag = nullptr;
    DockAdding *m_adding = nullptr;
    DockBar *m_bar = nullptr;
    FormDesktopTime *m_desktopTime = nullptr;     // made at start, kept by m_windows
    FormDesktopWidget *m_desktopWidget = nullptr; // made at start, kept by m_windows
    FormSystemHint *m_toast = nullptr;
    FormLaunchStarter *m_launchPad = nullptr;
    DockMenus *m_menus = nullptr;
    FormDetection *m_detection = nullptr; // the edge strip, owned by m_autoHide
    AutoHide *m_autoHide = nullptr;
    RemovableDisks *m_disks = nullptr;
    BarLayout *m_layout = nullptr;
    DockShowing *m_showing = nullptr;
    FirstPaint *m_firstPaint = nullptr; // start-up work that waits for the first paint

    QTimer *m_startUpTimer = nullptr;

    DockHotkeys *m_hotkeys = nullptr;

    int m_wheelDelta = 0;       // wheel steps not yet a whole notch
    bool m_tellKept = false;    // files kept aside are told as they come (after the start)
    QStringList m_startFailures; // saves that failed before the bar was up, told with the files kept aside
    QString m_weatherText;      // the weather of this run, for the weather icon's bubble
    int m_language = 0;         // the language setting's index Qt's texts are in
};
