#pragma once
#include <QString>
#include <QWidget>

namespace Ui {
class FormDesktopWidget;
}

// The switch panel of the desktop widgets: desktop clock on or off, clock
// locked or not, notes program running or not. It drives the clock only
// through its signals and keeps the three switches in "config.ini".
class FormDesktopWidget : public QWidget
{
    Q_OBJECT

public:
    explicit FormDesktopWidget(QWidget *parent = nullptr);
    ~FormDesktopWidget() override;

    // Applies the saved switches; run once while the dock starts.
    void ReadSettings();
    void SaveSettings();
    // A system message passed on by the dock window.
    void ReceiveSystemMessage(QString object, QString content);

signals:
    void DesktopTimeShow(bool b);
    void DesktopTimeSize(int v);
    void DesktopTimeStyle(int v);
    void DesktopTimelocking(bool b);
    void DesktopTimeLanguage(QString L);
    void DesktopTimeAlpha(int v);

private:
    Ui::FormDesktopWidget *ui;

private:
    // Bound to the form's widgets in the constructor.
    void on_close_clicked();
    void on_TimeSwitch_clicked(bool checked);
    void on_Timelocking_clicked(bool checked);
    void on_NotesSwitch_clicked(bool checked);
};
