#pragma once
#include <QWidget>

namespace Ui {
class FormSettings;
}

// The settings panel. Every control reports its change by a signal named like
// the dock window's slot that applies it.
class FormSettings : public QWidget
{
    Q_OBJECT
public:
    explicit FormSettings(QWidget *parent = nullptr);
    ~FormSettings() override;

    void readSettings();
    void showNewVersion();

signals:
    void setClose();
    void setScreen(int);
    void setMargin(int);
    void setPosition(int);
    void setLevel(int);
    void setIcoSize(int);
    void setIcoNameSize(int);
    void setIcoScale(int);
    void setBackgroundStyle(int);
    void setTransparentBackground(int);
    void setClick(int);
    void setLocking(bool);
    void setHide(bool);
    void setUpgradeNotice(bool);
    void setMousePop(bool);
    void setMouseMaximize(bool);
    void setMouseFullScreen(bool);
    void setInductionIco(bool);
    void setWinShow(bool);
    void setIconDoubleClick(bool);
    void setTaskbarAlpha(bool);
    void setTaskbarBlurry(bool);
    void setTaskbarHide(bool);
    void setDesktopIcon(bool);
    void setWorkArea(bool);
    void setLanguage(int);
    void upDate();
    void showAbout();
    void setKey(QString, QString);

private:
    Ui::FormSettings *ui;
};
