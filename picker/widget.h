#pragma once
#include "picker/desktopmap.h"

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QWidget>

class FormColorView;
class QLabel;

namespace Ui {
class Widget;
}

// The grabber: covers the desktop with a frozen picture of it and follows the
// pointer with a loupe. A left click picks the colour under the pointer and
// shows the colour view; a right click or Esc cancels.
class Widget : public QWidget
{
    Q_OBJECT

public:
    explicit Widget(QWidget *parent = nullptr);
    ~Widget() override;

    // Takes the desktop picture and covers the desktop with it.
    void grabScreen();
    // The picture with everything outside a rounded rectangle of this corner
    // radius cut away.
    static QPixmap roundMask(const QPixmap &picture, int radius);

    FormColorView *colorView() const { return colorViewPanel; }
    QLabel *label() const { return colorLabel; }
    QColor currentColor() const { return pickColor; }

public slots:
    void ColorPicking();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // Moves the loupe and the label to a pointer position, given both on the
    // desktop (device-independent, possibly with a fraction) and in the grabber.
    void follow(const QPointF &global, const QPoint &local);
    QRect loupeArea() const;
    void takeKeyboard();
    void endGrab();
    void cancel();

    QColor pickColor;
    Ui::Widget *ui;
    QPixmap screenPixmap;
    // The same picture for reading single pixels.
    QImage screenImage;
    FormColorView *colorViewPanel;
    QLabel *colorLabel;

    DesktopMap desktopMap;
    QPoint pictureOrigin; // desktop position of the picture's first pixel
    QPoint pointer;       // in the grabber
    QPoint pixel;         // of the picture, under the pointer
    QPixmap ringPicture;
    QPixmap markerPicture;
    bool keyboardHeld = false;
};
