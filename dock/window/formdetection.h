#pragma once
#include <QWidget>

namespace Ui {
class FormDetection;
}

// The thin strip on the screen edge that brings a hidden dock back.
class FormDetection : public QWidget
{
    Q_OBJECT
public:
    explicit FormDetection(QWidget *parent = nullptr);
    ~FormDetection() override;

signals:
    void MouseIn();

protected:
    void enterEvent(QEvent *) override { emit MouseIn(); }
    void mouseMoveEvent(QMouseEvent *) override { emit MouseIn(); }

private:
    Ui::FormDetection *ui;
};
