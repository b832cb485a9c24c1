#pragma once
#include <QWidget>

namespace Ui {
class FormDisk;
}
class QLabel;

// The live face of a drive icon: the drive picture with the drive written
// over it. A drive is a mount point here; "0" means none chosen yet.
class FormDisk : public QWidget
{
    Q_OBJECT
public:
    explicit FormDisk(QWidget *parent = nullptr);
    ~FormDisk() override;

    void setDisk(const QString &drive);
    QString disk() const { return m_drive; }
    QLabel *nameLabel() const;
    QLabel *picture() const;

    // What fits on the face for a mount point: "/" stays "/", a folder name
    // of up to four characters is shown whole, a longer one as its first
    // three characters and an ellipsis.
    static QString faceText(const QString &drive);

protected:
    void resizeEvent(QResizeEvent *e) override;

private:
    void layoutText();

    Ui::FormDisk *ui;
    QString m_drive;
    QString m_picture;
};
