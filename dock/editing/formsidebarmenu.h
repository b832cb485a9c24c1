#pragma once
#include <QString>
#include <QWidget>

namespace Ui {
class FormSidebarMenu;
}
class FormApplicationLists;
class FormApplicationLists2;

// The add-icon side panel: offers preset items and asks its owner to add the
// one picked, for the target it was opened for.
class FormSidebarMenu : public QWidget
{
    Q_OBJECT

public:
    explicit FormSidebarMenu(QWidget *parent = nullptr);
    ~FormSidebarMenu() override;

    // "0" for the dock bar, otherwise the IconID of the MENU icon whose menu
    // gets the picks.
    void setID(QString ID);
    QString targetId() const { return m_id; }
    FormApplicationLists *systemList() const { return m_system; }
    FormApplicationLists2 *toolsList() const { return m_tools; }

signals:
    void SidebarMenuClose();
    void AddIcon(QString ico, QString name, QString cl, QString path, QString ID);

public slots:
    // A preset item was picked.
    void ADDIcon(QString ico, QString name, QString cl, QString path);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void setTabs(bool systemActive);

    QString m_id;
    Ui::FormSidebarMenu *ui;
    bool m_placed = false;
    FormApplicationLists *m_system;
    FormApplicationLists2 *m_tools;

private:
    // Bound to the form's widgets in the constructor.
    void on_close_clicked();
    void on_MButton1_clicked();
    void on_MButton2_clicked();
};
