#pragma once
#include <QString>
#include <QWidget>

namespace Ui {
class FormSidebarMenu;
}

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

signals:
    void SidebarMenuClose();
    void AddIcon(QString ico, QString name, QString cl, QString path, QString ID);

public slots:
    // A preset item was picked.
    void ADDIcon(QString ico, QString name, QString cl, QString path);

private slots:
    void on_close_clicked();

private:
    Ui::FormSidebarMenu *ui;
    QString m_id;
};
