#pragma once
#include <QObject>
#include <QString>

class FormAddUrl;
class FormIconSettings;
class FormSidebarMenu;
class FormSystemHint;
class LaunchDrag;
class LaunchGrid;
class LaunchRows;
class QWidget;

// What changes the launch pad's list from the user's side: edit mode (the
// delete and edit badges on every icon), adding programs, folders, web
// sites and built-in items through the pad's own dialogs, taking an icon
// dropped on the dock's launch-pad icon, editing an icon in the property
// dialog and deleting one. Each change is saved at once and told by the
// pad's own toast.
class LaunchEditing : public QObject
{
    Q_OBJECT
public:
    LaunchEditing(QWidget *window, LaunchRows *rows, LaunchGrid *grid, LaunchDrag *drag, QObject *parent = nullptr);

    // Classes that cannot live in the launch pad.
    static bool refused(const QString &cl);

    bool isEditMode() const;
    FormSystemHint *toast() const { return m_toast; }
    // The pad's own dialogs, made when first opened.
    FormSidebarMenu *sidePanel();
    FormIconSettings *propertyDialog();
    FormAddUrl *addUrlDialog();
    // Whichever of them is open goes.
    void hideDialogs();
    void hideSidePanel();

public slots:
    void showBadges();
    void hideBadges();

    // The common add step: a row at the end, saved, its icon shown. A
    // picture that is gone gives the unknown picture; no path, nothing.
    bool add(QString ico, QString name, QString cl, QString path);
    // The same after refusing the classes the pad cannot hold; what the
    // side panel, the web-site dialog and the dock hand in.
    bool addChecked(QString ico, QString name, QString cl, QString path);
    // The file chooser for programs and shortcuts, and one chosen file.
    void addPrograms();
    void addProgram(const QString &file);
    void addFolder();
    void addWebSite();
    void showSidePanel();
    // Opens the property dialog for a row (code 1 only).
    void edit(const QString &id, int code);
    // The dialog's answer: picture and name of the row.
    void modify(QString id, QString ico, QString name);
    bool remove(QString id);
    // A short text in the pad's own toast.
    void showToast(const QString &text);

signals:
    // A dialog of ours has the focus (false) or gave it back (true): only
    // while true does losing the focus close the pad.
    void closeOnDeactivateChanged(bool on);

private:
    void centre(QWidget *dialog);

    QWidget *m_window;
    LaunchRows *m_rows;
    LaunchGrid *m_grid;
    LaunchDrag *m_drag;
    FormSystemHint *m_toast;
    FormSidebarMenu *m_sidePanel = nullptr;
    FormIconSettings *m_propertyDialog = nullptr;
    FormAddUrl *m_addUrl = nullptr;
};
