#pragma once
#include <QWidget>

namespace Ui {
class FormDetection;
}

// The thin, all but invisible strip on the screen edge that brings a hidden
// dock back when the pointer touches it.
class FormDetection : public QWidget
{
    Q_OBJECT
public:
    explicit FormDetection(QWidget *parent = nullptr);
    ~FormDetection() override;

signals:
    void MouseIn();

protected:
    void mousePressEvent(QMouseEvent *) override { emit MouseIn(); }
    void mouseMoveEvent(QMouseEvent *) override {}
    void enterEvent(QEvent *) override { emit MouseIn(); }
    void leaveEvent(QEvent *) override {}
    void resizeEvent(QResizeEvent *) override;

private:
    Ui::FormDetection *ui;
};
