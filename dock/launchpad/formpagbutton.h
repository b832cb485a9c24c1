#pragma once
#include <QWidget>

namespace Ui {
class FormPagButton;
}

// One page dot under the launch pad's grid; a click asks for its page.
class FormPagButton : public QWidget
{
    Q_OBJECT
public:
    explicit FormPagButton(QWidget *parent = nullptr);
    ~FormPagButton() override;

    void setPage(int page) { pageNumber = page; }
    int page() const { return pageNumber; }
    void setActive(bool active);
    bool isActive() const { return m_active; }

signals:
    void onPag(int x);

private:
    Ui::FormPagButton *ui;
    int pageNumber = 1;
    bool m_active = false;
    bool m_styled = false;

private:
    // Bound to the form's widgets in the constructor.
    void on_pushButton_clicked();
};
