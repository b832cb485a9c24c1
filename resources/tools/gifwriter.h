#pragma once
// A small animated GIF89a writer for the pictures we draw ourselves.
// All frames share one palette of at most 255 colours, made from the frames
// (median cut); palette index 255 is the transparent colour. Pixels whose alpha
// is below one half become transparent, the others opaque.
#include <QByteArray>
#include <QImage>
#include <QVector>

namespace gifwriter {

// Encodes the frames (all drawn at the size of the first one) as an animated
// GIF that loops for ever, each frame shown for delayMs milliseconds.
// Returns an empty array when there is no frame or the first one is null.
QByteArray encode(const QVector<QImage> &frames, int delayMs);

// The palette that encode() uses for these frames (for tests).
QVector<QRgb> makePalette(const QVector<QImage> &frames);

// GIF LZW compression of palette indices with the given minimum code size
// (for tests; the result is the raw code stream, not split into sub-blocks).
QByteArray lzwCompress(const QByteArray &indices, int minCodeSize);

} // namespace gifwriter
