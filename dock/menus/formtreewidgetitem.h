#pragma once
#include <QString>
#include <QWidget>

namespace Ui {
class FormTreeWidgetItem;
}
class QMenu;
class QTreeWidgetItem;

// One row of the start-menu tree: a category folder (no path) or an
// application's ".desktop" file, with its picture and name.
class FormTreeWidgetItem : public QWidget
{
    Q_OBJECT
public:
    explicit FormTreeWidgetItem(QWidget *parent = nullptr);
    ~FormTreeWidgetItem() override;

    // An empty path makes a folder row.
    void setData(const QString &name, const QString &path, QTreeWidgetItem *item);
    // Moves the row's content right by x pixels.
    void indent(int x);
    // The right-click menu of an application row; empty for a folder.
    void fillContextMenu(QMenu *menu);

    QString path() const { return m_path; }
    QString name() const;
    bool isFolder() const { return m_path.isEmpty(); }
    QTreeWidgetItem *item() const { return m_item; }
    int indentation() const;

public slots:
    void OpenIcon();
    void OpenIconPlace();

signals:
    void itemClicked(QTreeWidgetItem *item);
    void IconOpen(QString filePath);

protected:
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    Ui::FormTreeWidgetItem *ui;
    QString m_path;
    QTreeWidgetItem *m_item = nullptr;
};
