#pragma once

// The windows ask for the fonts "Microsoft YaHei", "微软雅黑" and "SimSun" by
// name; map those names to installed Chinese faces of the same kind (a sans
// face for YaHei, a Song face for SimSun) so Chinese text renders as meant.
// Call once after the application object exists.
#include <QFont>
#include <QStringList>

namespace Fonts {
void installSubstitutions();
// The installed faces that stand in for a family the windows name, best
// first; empty for any other family.
QStringList substitutesFor(const QString &family, const QStringList &installedFamilies);
// The windows' own font: "Microsoft YaHei", weight 10, at a size in pixels.
QFont yaHei(int pixelSize);
// The same as the application's font: the size given in the points that
// make those pixels on the primary screen. Pictures drawn from SVG size
// their text from the application font's points; a font set in pixels has
// none, and their text came out at a negative size, leaving them blank.
QFont applicationFont(int pixelSize);
}
