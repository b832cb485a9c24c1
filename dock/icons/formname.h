#pragma once
#include <QWidget>

namespace Ui {
class FormName;
}

// The bubble with an icon's name beside the hovered icon.
class FormName : public QWidget
{
    Q_OBJECT
public:
    explicit FormName(QWidget *parent = nullptr);
    ~FormName() override;
    void setName(int edge, const QString &name);
    void setMenuText(const QString &text);
    void setFontSize(int px) { m_fontSize = px; }
    int fontSize() const { return m_fontSize; }

private:
    Ui::FormName *ui;
    int m_fontSize = 15;
    class QLabel *m_label;
};
