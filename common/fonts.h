#pragma once

// The windows ask for the fonts "Microsoft YaHei", "微软雅黑" and "SimSun" by
// name; map those names to an installed CJK font so Chinese text renders.
// Call once after the application object exists.
#include <QFont>

namespace Fonts {
void installSubstitutions();
// The windows' own font: "Microsoft YaHei", weight 10, at a size in pixels.
QFont yaHei(int pixelSize);
}
