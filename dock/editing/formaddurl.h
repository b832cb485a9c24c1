#pragma once
#include <QString>
#include <QWidget>

namespace Ui {
class FormAddUrl;
}

// The add-web-site dialog: turns a web site into a URL icon for the target it
// was opened for.
class FormAddUrl : public QWidget
{
    Q_OBJECT

public:
    explicit FormAddUrl(QWidget *parent = nullptr);
    ~FormAddUrl() override;

    // Prepares the dialog for a target ("0" the dock bar or the launch pad,
    // otherwise the IconID of an icon menu); the caller shows it.
    void openAddPage(QString ID);
    QString targetId() const { return m_id; }

signals:
    void AddIcon(QString ico, QString name, QString cl, QString path, QString ID);

private:
    Ui::FormAddUrl *ui;
    QString m_id;
};
