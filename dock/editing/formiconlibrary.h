#pragma once
#include <QString>
#include <QWidget>

namespace Ui {
class FormIconLibrary;
class FormIconLibraryItem;
}

// The built-in icon library: a fixed grid of stock pictures from which the
// icon property dialog takes a new picture.
class FormIconLibrary : public QWidget
{
    Q_OBJECT

public:
    explicit FormIconLibrary(QWidget *parent = nullptr);
    ~FormIconLibrary() override;

    static constexpr int Columns = 3;
    static constexpr int Pitch = 79;

    // The cells are made when the library is first shown: every icon menu
    // has a property dialog of its own, most of which are never opened.
    bool built() const { return m_built; }

signals:
    void ADDIco(QString ico);

public slots:
    void AddIco(QString ico);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void initIcons();

    Ui::FormIconLibrary *ui;
    bool m_built = false;
};

// One 64 x 64 cell of the library.
class FormIconLibraryItem : public QWidget
{
    Q_OBJECT

public:
    explicit FormIconLibraryItem(QWidget *parent = nullptr);
    ~FormIconLibraryItem() override;

    void setIcon(QString path);
    QString icon() const { return m_path; }

signals:
    void AddIco(QString ico);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    Ui::FormIconLibraryItem *ui;
    QString m_path;
};
