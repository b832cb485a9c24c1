#pragma once
#include <QString>
#include <QWidget>

namespace Ui {
class FormIconSettings;
}

// The icon property dialog: edits the picture and name of one icon row and
// hands them back to the window that owns the row.
class FormIconSettings : public QWidget
{
    Q_OBJECT

public:
    explicit FormIconSettings(QWidget *parent = nullptr);
    ~FormIconSettings() override;

    // Fills the dialog with one row; for Class "RECYCLE" mode 0 edits the
    // empty-bin picture and mode 1 the full-bin picture of the pair. The
    // caller shows the dialog.
    void setIconData(QString ID, QString Icon, QString Name, QString Note, QString Path,
                     QString Class, int mode);

    QString iconId() const { return m_id; }
    QString icon() const { return m_icon; }
    QString name() const { return m_name; }
    QString note() const { return m_note; }
    QString path() const { return m_path; }
    QString iconClass() const { return m_class; }
    int mode() const { return m_mode; }
    // The picture being edited, and the name as it stands in the dialog.
    QString pictureField() const;
    QString nameField() const;

signals:
    void Modify(QString icoID, QString ico, QString name, QString note);
    void IconSettingsClose();

private slots:
    void on_close_clicked();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void setPicture(const QString &path);

    Ui::FormIconSettings *ui;
    QString m_id;
    QString m_icon;
    QString m_name;
    QString m_note;
    QString m_path;
    QString m_class;
    int m_mode = 0;
};
