#pragma once
#include <QStringList>
#include <QWidget>

namespace Ui {
class FormStartMenu;
}
class QMovie;
class QScrollBar;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;
class FormTreeWidgetItem;

// The panel of the desktop's applications that the dock's STARTMENU icon
// opens: one folder per category, each holding its applications. A child
// of the dock window, which places it beside that icon.
class FormStartMenu : public QWidget
{
    Q_OBJECT

public:
    static const int ReloadMs = 1000;

    explicit FormStartMenu(QWidget *parent = nullptr);
    ~FormStartMenu() override;

    // The first showing fills the tree.
    void toggleShow();
    void hideMenu();
    // Puts the arrow on the side that faces the dock (0 top … 3 left).
    void setArrowPosition(int edge);
    // The applications folders to read, the user's first (the XDG data
    // folders unless set).
    void setApplicationFolders(const QStringList &folders) { m_folders = folders; }

    bool isShown() const { return shown; }
    bool isLoaded() const { return m_loaded; }
    QTreeWidget *tree() const;
    FormTreeWidgetItem *rowWidget(QTreeWidgetItem *item) const;
    QTimer *reloadTimer() const { return m_reloadTimer; }

public slots:
    // Reads the applications and fills the tree.
    void loadFile();
    void clearList();
    void slotOpen(QTreeWidgetItem *item);
    void IconOpen(QString filePath);
    void DllIconOpen(QString filePath);
    void myOut();

signals:
    // An entry of the tree was opened.
    void IconOpens();

private:
    FormTreeWidgetItem *addRow(QTreeWidgetItem *item, const QString &name, const QString &path);

    Ui::FormStartMenu *ui;
    bool shown = false;
    bool m_loaded = false;
    QStringList m_folders;
    QTimer *m_reloadTimer = nullptr;
    QMovie *m_movie = nullptr;

private:
    // Bound to the form's widgets in the constructor.
    void on_closeButton_clicked();
    void on_Update_clicked();
};
