#pragma once
#include <QString>
#include <QWidget>

namespace Ui {
class FormIconLists;
}

// The chooser that offers the several icons found in one program file.
class FormIconLists : public QWidget
{
    Q_OBJECT

public:
    explicit FormIconLists(QWidget *parent = nullptr);
    ~FormIconLists() override;

signals:
    void AddIcon(QString ico, QString name, QString cl, QString path, QString ID);

private slots:
    void on_close_clicked();

private:
    Ui::FormIconLists *ui;
};
