#pragma once
#include <QColor>
#include <QString>

// "#RRGGBB" in upper case, two digits per channel: the form shown under the
// loupe, in the colour view and put on the clipboard.
QString colorText(const QColor &color);
