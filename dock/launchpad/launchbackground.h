#pragma once
#include <QImage>
#include <QSize>

// The launch pad's background is blurred once, when its picture or the blur
// changes, and then only drawn: a blur at every repaint of a full screen
// would cost every frame of a page turn.
namespace LaunchBackground {

// The picture scaled to cover size, keeping its aspect ratio; what sticks
// out is cut off evenly on both sides. A null picture gives a null image.
QImage cover(const QImage &picture, const QSize &size);
// The image as a QGraphicsBlurEffect of this radius draws it.
QImage blurred(const QImage &image, int radius);

} // namespace LaunchBackground
