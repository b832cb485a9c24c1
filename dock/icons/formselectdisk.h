#pragma once
#include <QWidget>

namespace Ui {
class FormSelectDisk;
}

// Lets the user choose the drive a DISK icon shows.
class FormSelectDisk : public QWidget
{
    Q_OBJECT
public:
    explicit FormSelectDisk(QWidget *parent = nullptr);
    ~FormSelectDisk() override;
    void setIconData(const QString &icoID, const QString &drive);

signals:
    void setIconDisk(QString icoID, QString d);

private:
    Ui::FormSelectDisk *ui;
    QString m_id, m_drive;
};
