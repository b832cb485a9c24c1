#pragma once
#include "dock/icons/formcommonicon.h"

#include <QFile>
#include <QImage>
#include <QLabel>
#include <QSignalSpy>

// Small pictures made by the tests themselves: no test relies on the
// product's pictures being built.
inline QString makePicture(const QString &path, const QColor &colour, int side = 32)
{
    QImage img(side, side, QImage::Format_ARGB32);
    img.fill(colour);
    img.save(path);
    return path;
}

// A valid 1 x 1 GIF.
inline QString makeGif(const QString &path)
{
    static const unsigned char gif[] = { 0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 1, 0, 1, 0, 0x80, 0, 0, 0xFF, 0, 0,
                                         0, 0, 0, 0x21, 0xF9, 4, 0, 0, 0, 0, 0, 0x2C, 0, 0, 0, 0, 1, 0, 1, 0,
                                         0, 2, 2, 0x44, 1, 0, 0x3B };
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(reinterpret_cast<const char *>(gif), sizeof gif);
    return path;
}
