#pragma once
#include <QWidget>

class FormProtectionSetting;

namespace Ui {
class FormProtection;
}

// The eye-protection tint: a faint yellow veil over every screen that lets
// every click through to the windows below. Its small floating control sets
// the strength.
class FormProtection : public QWidget
{
    Q_OBJECT

public:
    explicit FormProtection(QWidget *parent = nullptr);
    ~FormProtection() override;

    // Off when on; otherwise on, with the strength and control position kept
    // in the settings.
    void toggleDisplay();
    bool isShown() const { return shown; }
    int alpha() const { return m_alpha; }
    FormProtectionSetting *control() const { return m_control; }

    static QString frameSheet(int alpha);

public slots:
    void setDisplay(int v);
    void setClose();

private:
    void fitScreens();
    void compositingChanged(bool active);

    Ui::FormProtection *ui;
    FormProtectionSetting *m_control;
    bool shown = false;
    int m_alpha = 50;
};
