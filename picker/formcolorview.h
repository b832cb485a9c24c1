#pragma once
#include <QColor>
#include <QWidget>

namespace Ui {
class FormColorView;
}

// The result window of a pick: a swatch, the channels in decimal and the colour
// text, which it copies to the clipboard. Closing it ends the program.
class FormColorView : public QWidget
{
    Q_OBJECT

public:
    explicit FormColorView(QWidget *parent = nullptr);
    ~FormColorView() override;

    void setColor(const QColor &c);
    // Shows the view; the first time in the middle of the given screen (the
    // one of the pick), as it bypasses the window manager that would place it.
    void showOn(const QRect &screen);

signals:
    // Asks the grabber for a new pick.
    void ColorPicking();

private:
    Ui::FormColorView *ui;
    bool placed = false;

private:
    // Bound to the form's widgets in the constructor.
    void on_copyButton_clicked();
    void on_colorButton_clicked();
    void on_close_clicked();
};
