#pragma once
#include <QString>
#include <QWidget>

#include "dock/editing/iconextraction.h"

namespace Ui {
class FormIconSettings;
}
class FormIconLibrary;
class FormIconLists;
class FormSystemHint;

// The icon property dialog: edits the picture and name of one icon row and
// hands them back to the window that owns the row.
class FormIconSettings : public QWidget
{
    Q_OBJECT

public:
    explicit FormIconSettings(QWidget *parent = nullptr);
    ~FormIconSettings() override;

    // Fills the dialog with one row; for the recycle bin mode 0 edits the
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
    bool libraryOpen() const { return m_libraryOpen; }
    FormIconLibrary *library() const { return m_library; }
    FormIconLists *chooser() const { return m_chooser; }
    const IconExtraction &extraction() const { return m_extraction; }
    FormSystemHint *toast() const { return m_toast; }

    // The stock pictures of the recycle bin.
    static QString emptyBinPicture() { return QStringLiteral(":/image/icon/Recycle.png"); }
    static QString fullBinPicture() { return QStringLiteral(":/image/icon/Recycle1.png"); }

signals:
    void Modify(QString icoID, QString ico, QString name, QString note);
    void IconSettingsClose();

public slots:
    // Takes the pictures stored in a program and offers them; ID is what the
    // chooser sends back.
    void getIcons(QString appName, QString ID);
    // A pick of the chooser: taken only when meant for this dialog ("0").
    void AddIcon(QString ico, QString name, QString cl, QString path, QString ID);
    // A pick of the icon library.
    void ADDIco(QString ico);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void setPicture(const QString &path);
    void layoutButtons(bool open);
    // The picture as it may stand in one half of a recycle-bin pair.
    QString pairPart(const QString &picture, const QString &keep);

    Ui::FormIconSettings *ui;
    FormIconLibrary *m_library;
    FormIconLists *m_chooser;
    FormSystemHint *m_toast;
    IconExtraction m_extraction;
    QString m_id;
    QString m_icon;
    QString m_name;
    QString m_note;
    QString m_path;
    QString m_class;
    int m_mode = 0;
    bool m_libraryOpen = false;

private:
    // Bound to the form's widgets in the constructor.
    void on_close_clicked();
    void on_modifyButton_clicked();
    void on_saveButton_clicked();
    void on_defaultButton_clicked();
    void on_customizeButton_clicked();
};
