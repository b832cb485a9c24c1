#pragma once
#include <QWidget>

namespace Ui {
class FormStartMenu;
}

// The panel of Start Menu shortcuts that the dock's STARTMENU icon opens. A
// child of the dock window, which places it beside that icon.
class FormStartMenu : public QWidget
{
    Q_OBJECT

public:
    explicit FormStartMenu(QWidget *parent = nullptr);
    ~FormStartMenu() override;

    void toggleShow();
    void hideMenu();
    // Puts the arrow on the side that faces the dock (0 top … 3 left).
    void setArrowPosition(int edge);

    bool isShown() const { return shown; }

signals:
    // An entry of the tree was opened.
    void IconOpens();

private:
    Ui::FormStartMenu *ui;
    bool shown = false;
};
