#pragma once
#include <QHash>
#include <QString>
#include <QWidget>

namespace Ui {
class FormIconLists;
}
class QLabel;

// One cell of the chooser: a picture that sends its four texts when clicked.
class FormListsItem : public QWidget
{
    Q_OBJECT

public:
    explicit FormListsItem(QWidget *parent = nullptr);

    void setIcon(QString ico, QString name, QString cl, QString path);
    QString icon() const { return m_ico; }
    // The picture's size as the cell shows it ("48×48"); empty without one.
    QString sizeText() const;

signals:
    void AddIco(QString ico, QString name, QString cl, QString path);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QLabel *m_highlight;
    QLabel *m_picture;
    QLabel *m_size;
    QString m_ico, m_name, m_cl, m_path;
};

// The chooser that offers the several icons found in one program file.
class FormIconLists : public QWidget
{
    Q_OBJECT

public:
    explicit FormIconLists(QWidget *parent = nullptr);
    ~FormIconLists() override;

    static constexpr int CellPitch = 74;
    static constexpr int RowPitch = 85;
    static constexpr int PerRow = 10;

    // Sizes the window for n cells.
    void setCount(int n);
    int count() const { return m_count; }
    // Fills cells 1..count with the pictures prefix + i + ".png".
    void populate(QString prefix, QString name, QString cl, QString path, QString ID);
    FormListsItem *cell(int i) const { return m_cells.value(QString::number(i) + QStringLiteral("icon")); }

signals:
    void AddIcon(QString ico, QString name, QString cl, QString path, QString ID);

public slots:
    void AddIco(QString ico, QString name, QString cl, QString path);
    void clearIcon();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Ui::FormIconLists *ui;
    int m_count = 0;
    int m_column = 1;
    int m_top = 1;
    QString m_id;
    QHash<QString, FormListsItem *> m_cells;

private:
    // Bound to the form's widgets in the constructor.
    void on_close_clicked();
};
