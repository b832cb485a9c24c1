#pragma once
#include <QWidget>

namespace Ui {
class FormStartUp;
}

// The first-run prompt that offers to start the dock with the session.
class FormStartUp : public QWidget
{
    Q_OBJECT
public:
    explicit FormStartUp(QWidget *parent = nullptr);
    ~FormStartUp() override;
    void CheckAutoRun();

private:
    Ui::FormStartUp *ui;
};
