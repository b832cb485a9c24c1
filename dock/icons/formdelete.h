#pragma once
#include <QWidget>

namespace Ui {
class FormDelete;
}
class QLabel;

// The badge an icon is dragged onto to be removed from the bar. The dock
// window switches its picture while a drag passes over it.
class FormDelete : public QWidget
{
    Q_OBJECT
public:
    explicit FormDelete(QWidget *parent = nullptr);
    ~FormDelete() override;
    void setHighlighted();
    void setNormal();
    bool isHighlighted() const { return m_highlighted; }
    QLabel *picture() const;

protected:
    void enterEvent(QEvent *e) override;
    void leaveEvent(QEvent *e) override;

private:
    Ui::FormDelete *ui;
    bool m_highlighted = false;
};
