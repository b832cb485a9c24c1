#pragma once
#include <QWidget>

namespace Ui {
class FormDelete;
}

// The badge an icon is dragged onto to be removed from the bar.
class FormDelete : public QWidget
{
    Q_OBJECT
public:
    explicit FormDelete(QWidget *parent = nullptr);
    ~FormDelete() override;
    void setHighlighted();
    void setNormal();

private:
    Ui::FormDelete *ui;
};
