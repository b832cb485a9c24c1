#pragma once
#include <QLabel>

// A label that reports the pointer and swallows the events it reports.
class dLabel : public QLabel
{
    Q_OBJECT
public:
    explicit dLabel(QWidget *parent = nullptr) : QLabel(parent) {}

signals:
    void MouseIn();

protected:
    void mousePressEvent(QMouseEvent *) override { emit MouseIn(); }
    void mouseMoveEvent(QMouseEvent *) override { emit MouseIn(); }
    void enterEvent(QEvent *) override { emit MouseIn(); }
    void leaveEvent(QEvent *) override { emit MouseIn(); }
    void resizeEvent(QResizeEvent *) override {}
};
