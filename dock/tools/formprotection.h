#pragma once
#include <QWidget>

namespace Ui {
class FormProtection;
}

// The eye-protection tint: a faint yellow veil over the whole screen that
// lets every click through to the windows below.
class FormProtection : public QWidget
{
    Q_OBJECT

public:
    explicit FormProtection(QWidget *parent = nullptr);
    ~FormProtection() override;

    void toggleDisplay();
    bool isShown() const { return shown; }

private:
    Ui::FormProtection *ui;
    bool shown = false;
};
