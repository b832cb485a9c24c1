#pragma once
#include <QEasingCurve>
#include <QPoint>
#include <QWidget>

namespace Ui {
class FormProtectionSetting;
}
class WindowDrag;

// The tint's floating control: a disc the user drags anywhere; a click on it
// unfolds a slider for the strength and a close button.
class FormProtectionSetting : public QWidget
{
    Q_OBJECT

public:
    // What the tint keeps in config.ini.
    struct Settings
    {
        int strength = 0;   // as stored; the slider keeps it within 20..50
        QPoint position;    // of the control window
    };
    static Settings loadSettings();
    static void saveSettings(const Settings &s);

    explicit FormProtectionSetting(QWidget *parent = nullptr);
    ~FormProtectionSetting() override;

    // Places the control and sets the strength from the settings.
    void ReadSettings();
    bool isToolOpen() const { return toolOpen; }

signals:
    void setDisplay(int v);
    void setClose();

public slots:
    void mouseIn();
    void mouseOut();
    void toolShow();
    void toolIn();
    void toolOut();
    void toolHide();
    void SaveSettings();

protected:
    bool eventFilter(QObject *o, QEvent *e) override;
    void enterEvent(QEvent *e) override;
    void leaveEvent(QEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    bool pointerOver() const;
    void animateGeometry(QWidget *w, const QRect &from, const QRect &to, int ms, QEasingCurve::Type curve,
                         void (FormProtectionSetting::*then)() = nullptr);

    Ui::FormProtectionSetting *ui;
    WindowDrag *m_drag;
    bool toolOpen = false;
    // Another window took the focus while the pointer was on the control.
    bool foldOnLeave = false;

private:
    // Bound to the form's widgets in the constructor.
    void on_horizontalSlider_valueChanged(int value);
    void on_closeButton_clicked();
};
