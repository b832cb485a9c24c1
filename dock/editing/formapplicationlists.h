#pragma once
#include <QString>
#include <QStringList>
#include <QWidget>

namespace Ui {
class FormApplicationItem;
class FormApplicationLists;
class FormApplicationLists2;
}
class QFrame;
class QTableWidget;

// One row of a preset list: picture, name, group label and an add button.
class FormApplicationItem : public QWidget
{
    Q_OBJECT

public:
    explicit FormApplicationItem(QWidget *parent = nullptr);
    ~FormApplicationItem() override;

    void setData(QString ico, QString name, QString group, QString cl);
    QString classKey() const { return m_class; }

signals:
    void clas(QString c);

protected:
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QString m_class;
    Ui::FormApplicationItem *ui;

private:
    // Bound to the form's widgets in the constructor.
    void on_pushButton_clicked();
};

// What both preset lists share: rows built from the hidden preset table, and
// the lookup of a picked row by its class.
class ApplicationList : public QWidget
{
    Q_OBJECT

public:
    static constexpr int RowHeight = 84;
    QTableWidget *presets() const { return m_table; }
    // The rows are made when the list is first shown.
    bool built() const { return m_built; }
    // The keywords of the preset table's class column that name no icon
    // class: a row of such a keyword would add a mere picture. None, ever;
    // the list says so when it loads.
    QStringList unknownClasses() const;

signals:
    void ADDIcon(QString ico, QString name, QString cl, QString path);

public slots:
    void AddIco(QString c);

protected:
    explicit ApplicationList(QWidget *parent) : QWidget(parent) {}
    // Takes the form's frame and preset table; the list's height is fixed at once.
    void setPresets(QFrame *frame, QTableWidget *table);
    void showEvent(QShowEvent *event) override;

private:
    void buildItems();

    QFrame *m_frame = nullptr;
    QTableWidget *m_table = nullptr;
    bool m_built = false;
};

// The system applications ("系统工具").
class FormApplicationLists : public ApplicationList
{
    Q_OBJECT

public:
    explicit FormApplicationLists(QWidget *parent = nullptr);
    ~FormApplicationLists() override;

private:
    Ui::FormApplicationLists *ui;
};

// The dock's own tools ("佐凡工具").
class FormApplicationLists2 : public ApplicationList
{
    Q_OBJECT

public:
    explicit FormApplicationLists2(QWidget *parent = nullptr);
    ~FormApplicationLists2() override;

private:
    Ui::FormApplicationLists2 *ui;
};
