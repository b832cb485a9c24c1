#pragma once
#include <QStringList>

class QWidget;

// Texts of a window that do not show whole: one line per label, line edit,
// push button or combo-box item (dark text in a light box) whose text, in the font it really gets (style sheets applied),
// reaches past what the widget paints. Hidden widgets, empty and rich texts
// and word-wrapped labels are left out. Empty when everything fits.
QStringList clippedTexts(QWidget *window);
