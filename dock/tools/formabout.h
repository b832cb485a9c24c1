#pragma once
#include <QWidget>

namespace Ui {
class FormAbout;
}

// The about card.
class FormAbout : public QWidget
{
    Q_OBJECT

public:
    explicit FormAbout(QWidget *parent = nullptr);
    ~FormAbout() override;

private slots:
    void on_close_clicked();

private:
    Ui::FormAbout *ui;
};
