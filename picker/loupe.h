#pragma once
#include <QPoint>
#include <QRect>
#include <QSize>

// Where the parts of the loupe stand for one pointer position. Positions are in
// the grabber's device-independent coordinates; `source` is in pixels of the
// desktop picture, which differ from those when the device pixel ratio is not 1.
struct Loupe
{
    static constexpr int reach = 10;      // pixels magnified on each side of the pointer's
    static constexpr int zoom = 4;        // each picture pixel becomes a 4 x 4 block
    static constexpr int ringMargin = 4;  // the ring is this much wider than the lens on each side
    static constexpr int ringSize = 92;
    static constexpr int markerSize = 4;
    static constexpr int labelGap = 51;   // label top below the pointer

    QRect source;  // picture pixels shown, clipped to the picture
    QRect lens;    // the magnified square, drawn as a circle
    QRect ring;
    QRect marker;  // frames the pointer's pixel in the middle of the lens
    QPoint label;  // top left of the colour label

    // pointer: position in the grabber; pixel: the picture pixel under it;
    // picture: the picture's size in pixels; labelWidth: the colour label's width.
    static Loupe at(const QPoint &pointer, const QPoint &pixel, const QSize &picture, int labelWidth);
};
