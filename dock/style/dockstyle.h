#pragma once
#include <QString>

class QMenu;

// The dock's style sheets, in one place: every window includes this downward.

// A button drawn by two pictures, one at rest and one under the pointer and
// while pressed, on a clear background.
QString pictureButtonSheet(const QString &normal, const QString &hover);
// The round close button of the dock's panels.
QString closeButtonSheet();

namespace DockStyle {

// The one white sheet of every context menu of the dock.
QString menuSheet();
// Makes a menu a frameless translucent pop-up with that sheet; returns it.
QMenu *popupMenu(QMenu *menu);

// The settings panel's light controls.
QString comboSheet();
QString sliderSheet();
QString scrollBarSheet();

} // namespace DockStyle
