#pragma once
#include <QString>
#include <QWidget>

namespace Ui {
class FormDesktopTime;
}

// The desktop clock: a frameless window that lies below all others. The
// switch panel turns it on, off and locks it; the clock keeps its own look.
class FormDesktopTime : public QWidget
{
    Q_OBJECT

public:
    explicit FormDesktopTime(QWidget *parent = nullptr);
    ~FormDesktopTime() override;

    // Brings the clock in front of the other windows once, when it is on.
    void RaiseWindow();

    bool isShown() const { return shown; }
    bool isLocked() const { return locked; }
    QString language() const { return m_language; }
    int style() const { return styleIndex; }
    int alpha() const { return alphaPercent; }

public slots:
    void setShow(bool b);
    void DesktopTimeSize(int v);
    void DesktopTimeStyle(int v);
    void DesktopTimelocking(bool b);
    void DesktopTimeLanguage(QString L);
    void DesktopTimeAlpha(int v);

private:
    Ui::FormDesktopTime *ui;
    bool locked = false;
    bool shown = false;
    QString m_language = "EN";
    int styleIndex = 0;
    int alphaPercent = 100;
};
