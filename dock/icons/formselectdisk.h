#pragma once
#include <QWidget>

namespace Ui {
class FormSelectDisk;
}
class QComboBox;
class QLabel;
class QPushButton;

// Lets the user choose the drive (a mount point) a DISK icon shows. The
// owner prepares it with setIconData and shows it; the choice comes back
// through setIconDisk.
class FormSelectDisk : public QWidget
{
    Q_OBJECT
public:
    explicit FormSelectDisk(QWidget *parent = nullptr);
    ~FormSelectDisk() override;

    // Prepares the dialog for one icon; "0" is an icon without a drive. The
    // list shows the icon's drive when it is one of the machine's.
    void setIconData(const QString &icoID, const QString &drive);

    QString iconId() const { return m_id; }
    QString drive() const { return m_drive; }
    QComboBox *comboBox() const;
    QLabel *diskName() const;
    QPushButton *saveButton() const;
    QPushButton *closeButton() const;

signals:
    // Never sent without a drive: a save with nothing chosen keeps the
    // dialog open.
    void setIconDisk(QString icoID, QString d);

public slots:
    void ReadData();

private slots:
    void on_close_clicked();
    void on_saveButton_clicked();
    void on_comboBox_currentIndexChanged(const QString &text);
    void on_comboBox_activated(int index);

private:
    void choose(const QString &text);
    // "盘符：" and the drive, as much of it as fits.
    void showDrive(const QString &drive);

    Ui::FormSelectDisk *ui;
    QString m_id;
    QString m_drive = QStringLiteral("0");
};
