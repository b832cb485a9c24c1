#pragma once
#include "dock/settings/docksettings.h"

#include <QPoint>
#include <QPointer>
#include <QWidget>

namespace Ui {
class FormSettings;
}
class CustomKeySequenceEdit;
class QCheckBox;
class QScrollBar;

// The settings panel. It does not own the settings: opening shows what
// config.ini holds, every control sets its key of DockSettings at once (whose
// users hear of it through DockSettings::changed), and closing writes them
// back. While it is open the changes wait in memory for its close.
class FormSettings : public QWidget
{
    Q_OBJECT
public:
    explicit FormSettings(QWidget *parent = nullptr);
    ~FormSettings() override;

    // The settings it shows and saves; the dock's own instance unless set.
    void setSettings(DockSettings *settings);
    DockSettings *settings() const;

    // Loads every control from config.ini and the autostart entry; the dock
    // window calls it each time before it shows the panel, which holds the
    // settings' saves until it closes.
    void readSettings();
    // A newer version is known: shows the red mark on the update button.
    void showNewVersion();

    // The home page the web button opens.
    static QString homePage();

public slots:
    // Writes the panel's keys of the "System" group into config.ini.
    void SaveSettings();
    // Switches starting with the session on or off.
    void appAutoRun(bool bAutoRun);

signals:
    void setClose();
    void upDate();
    void showAbout();
    void setKey(QString, QString);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private slots:
    void valueChanged(int v);

private:
    // The controls that show a key of the table and save it back: the
    // numbers (sliders and lists) and the switches.
    struct Bound
    {
        DockSettings::Key key;
        QWidget *control;
    };
    struct Switch
    {
        DockSettings::Key key;
        QCheckBox *box;
    };
    QList<Bound> numbers() const;
    QList<Switch> switches() const;
    // Each of them sets its key as the user changes it.
    void bindToSettings();
    // The settings' saves, held while the panel is open, go on again.
    void releaseSaves();
    // The field of hot key i, in the order of dockHotkeys.
    CustomKeySequenceEdit *hotKeyEdit(int i) const;
    void hotKeyTyped(CustomKeySequenceEdit *edit, const QString &code, const QString &key);
    void clearHotKey(CustomKeySequenceEdit *edit, const QString &code);
    // The panel's one place for a short message to the user.
    void showHint(QWidget *near, const QString &text);

    void selectTab(int tab); // 0 basic, 1 hot keys, 2 advanced
    void selectEdge(int edge);
    void selectLevel(int level);
    // An edge or level button clicked: shown, and set.
    void chooseEdge(int edge);
    void chooseLevel(int level);
    void selectTaskbarButton(int which);

    Ui::FormSettings *ui;
    DockSettings *m_settings = nullptr;
    QPointer<DockSettings> m_holding; // whose saves wait for the close
    int position = 0;
    int level = 0;
    int language = 0;
    QScrollBar *pageScrollBar = nullptr;
    // A stored screen that is not attached now is kept, not overwritten,
    // until the user picks a screen.
    bool keepStoredScreen = false;
    int storedScreen = 0;

private:
    // Bound to the form's widgets in the constructor.
    void on_MButton1_clicked();
    void on_MButton4_clicked();
    void on_MButton3_clicked();
    void on_Margin_valueChanged(int value);
    void on_icoSize_valueChanged(int value);
    void on_icoScale_valueChanged(int value);
    void on_icoNameSize_valueChanged(int value);
    void on_TransparentBackground_valueChanged(int value);
    void on_LanguageClick_currentIndexChanged(int index);
    void on_topButton_clicked();
    void on_rightButton_clicked();
    void on_bottomButton_clicked();
    void on_leftButton_clicked();
    void on_frontButton_clicked();
    void on_centerButton_clicked();
    void on_belowButton_clicked();
    void on_checkBoxTaskbarAlpha_clicked(bool checked);
    void on_StartUp_clicked(bool checked);
    void on_upgradeButton_clicked();
    void on_webButton_clicked();
    void on_SuggestButton_clicked();
    void on_aboutButton_clicked();
    void on_close_clicked();
    void on_closeButton_clicked();
    void on_topButtonMission_clicked();
    void on_rightButtonMission_clicked();
    void on_bottomButtonMission_clicked();
    void on_leftButtonMission_clicked();
};
