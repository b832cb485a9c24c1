#pragma once
#include <QWidget>

// Watches for removable volumes coming and going.
class uDisk : public QWidget
{
    Q_OBJECT
public:
    explicit uDisk(QWidget *parent = nullptr) : QWidget(parent) {}

signals:
    void sigUDiskCome(QString root);
    void sigUDiskRemove();
};
