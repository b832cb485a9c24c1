#pragma once
#include <QRegion>

// A repaint of many small rectangles costs more than their pixels: each is
// cleared, clipped and sent to the display on its own, and each clip edge
// slows every drawing that crosses it. The region given back covers the one
// given, in fewer rectangles: neighbours are joined into their bounding
// rectangle while what that adds costs no more than the rectangles it saves
// (`rectCost`, in pixels a rectangle is worth).
QRegion coarseRegion(const QRegion &region, int rectCost);
