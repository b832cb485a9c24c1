#pragma once
#include "dock/launchpad/launchlook.h"

#include <QObject>
#include <QString>

class QPushButton;

namespace Ui {
class FormLaunchStarter;
}

// The look-settings panel of the launch pad ("LaunchPad设置"): the sliders
// for icon size, blur and brightness, the own background picture, the eight
// name colours, and the brightness tint over the background. It keeps the
// look while the pad runs, reads it from config.ini at every relayout and
// writes it when the panel or the pad closes; what the look changes it
// tells by signal.
class LaunchLookPanel : public QObject
{
    Q_OBJECT
public:
    LaunchLookPanel(Ui::FormLaunchStarter *ui, QObject *parent = nullptr);

    const LaunchLook &look() const { return m_look; }
    // The own picture is on and one was chosen (else the wallpaper shows).
    bool showsOwnPicture() const;

    // Reads the "LaunchPad" group and applies it; no colour button is marked.
    void read();
    void save() const;
    // Slides the panel in; false when it was open already.
    bool open();
    void hide();

signals:
    void iconSizeChanged(int size);
    void blurChanged(int radius);
    void nameColorChanged(const QString &rgb);
    // The own picture was turned on or off, or another one chosen.
    void backgroundChanged();
    // The picture chooser has the focus (false) or gave it back (true).
    void closeOnDeactivateChanged(bool on);

private:
    void setIconSize(int value);
    void setBlur(int value);
    void setBrightness(int value);
    void setNameColor(const QString &rgb);
    void markColour(QPushButton *button, const QString &rgb);
    void plainColours();
    void setOwnPicture(bool on);
    void choosePicture();

    Ui::FormLaunchStarter *ui;
    LaunchLook m_look;
};
