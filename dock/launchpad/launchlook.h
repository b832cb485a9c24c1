#pragma once
#include <QString>

// The launch pad's look: icon size, background blur and brightness, the own
// background picture and the colour of the icon names, as kept in the
// "LaunchPad" group of config.ini.
struct LaunchLook
{
    // The ranges of the settings panel's sliders; stored values outside them
    // are brought inside.
    static constexpr int MinIconSize = 86, MaxIconSize = 256;
    static constexpr int MaxBlur = 100;
    static constexpr int MaxBrightness = 200;

    int iconSize = 160;
    int blurRadius = 30;
    int brightness = 90; // 100 leaves the picture as it is
    bool useBackgroundImage = false;
    QString backgroundImage;
    QString nameColor = QStringLiteral("#FFFFFF");
    // Whether the file held the own-picture switch (the choose button is
    // enabled only when it held true).
    bool backgroundStored = false;

    // Reads the group over the given values: missing or empty keys give the
    // defaults, except the picture path, which then stays as it was.
    static LaunchLook load(const LaunchLook &current);
    void save() const;
};

namespace LaunchStyle {

// The tint over the background: black below 100, white above, none at 100.
QString brightnessSheet(int brightness);
// The brightness as the panel shows it: "-10%", "0%", "35%".
QString brightnessText(int brightness);
// One of the eight name-colour buttons ("white", "black", …), plain or marked.
QString colourButtonSheet(const QString &name, bool marked);

} // namespace LaunchStyle
