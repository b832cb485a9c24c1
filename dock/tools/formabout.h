#pragma once
#include <QWidget>

namespace Ui {
class FormAbout;
}

// The about card: the product's logo, name, home page and rights notice.
class FormAbout : public QWidget
{
    Q_OBJECT

public:
    explicit FormAbout(QWidget *parent = nullptr);
    ~FormAbout() override;

private:
    Ui::FormAbout *ui;

private:
    // Bound to the form's widgets in the constructor.
    void on_close_clicked();
    void on_web_clicked();
};
