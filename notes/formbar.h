#pragma once

#include <QString>
#include <QWidget>

namespace Ui {
class FormBar;
}

// The 20-pixel strip along a note's top; its three buttons show only while
// the pointer is over it.
class FormBar : public QWidget
{
    Q_OBJECT
public:
    explicit FormBar(QWidget *parent = nullptr);
    ~FormBar() override;

signals:
    void onButton(QString b);

protected:
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void setButtonsVisible(bool visible);

    Ui::FormBar *ui;

private:
    // Bound to the form's widgets in the constructor.
    void on_pushButtonAdd_clicked();
    void on_pushButtonStyle_clicked();
    void on_pushButtonDelete_clicked();
};
