#pragma once

// The windows name the fonts "Microsoft YaHei", "微软雅黑" and "SimSun"; they
// are mapped to an installed font that has the Chinese characters.
void mapChineseFonts();
