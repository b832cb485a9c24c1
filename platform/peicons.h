#pragma once
#include <QByteArray>
#include <QList>

// Icons stored in a Windows program file (PE: ".exe", ".dll"), read without
// Windows. The file is untrusted input: every offset, size and count it holds
// is checked against the data, nothing is read past its end, and a broken
// file yields fewer icons (or none), never a crash.
namespace platform {
namespace PeIcons {

// One RT_ICON resource: the raw image (a BMP without its file header, or a
// PNG) and what is known of its size and depth. Sizes come from the icon
// group that lists the image, else from the image's own header; 0 is 256.
struct IconImage
{
    quint32 id = 0;
    int width = 0;
    int height = 0;
    int colorCount = 0;
    int planes = 1;
    int bitCount = 0;
    bool png = false;
    QByteArray data;

    // A one-image ".ico" file around the data, as Qt's ICO reader wants it.
    QByteArray ico() const;
};

// One RT_GROUP_ICON resource, rebuilt into a whole ".ico" file of the images
// it names that the file holds.
struct IconGroup
{
    quint32 id = 0;
    QList<IconImage> images;
    QByteArray ico() const;
};

struct Contents
{
    QList<IconImage> icons;  // every RT_ICON, in resource order
    QList<IconGroup> groups; // every RT_GROUP_ICON, in resource order
};

// Limits that keep a hostile file from making us build huge lists.
constexpr int MaxEntries = 4096;

Contents read(const QByteArray &file);

} // namespace PeIcons
} // namespace platform
