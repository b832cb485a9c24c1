#pragma once

// The windows ask for the fonts "Microsoft YaHei", "微软雅黑" and "SimSun" by
// name; map those names to an installed CJK font so Chinese text renders.
// Call once after the application object exists.
namespace Fonts {
void installSubstitutions();
}
