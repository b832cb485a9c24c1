#pragma once
#include <QByteArray>
#include <QColor>
#include <QList>
#include <QMap>
#include <QString>

// Builds small Windows program files (PE) holding icon resources, for the
// tests of the icon reader and as the fuzzer's starting corpus.
class PeBuilder
{
public:
    struct Icon
    {
        quint16 id;
        QByteArray data;
    };
    struct Group
    {
        quint16 id;
        QList<quint16> iconIds;
    };

    QList<Icon> icons;
    QList<Group> groups;
    bool pe64 = false;

    // Where the header fields and tables landed in the last build, by name,
    // so that tests can break each one. Values are offsets of 32-bit fields
    // (16-bit ones are named so).
    QMap<QString, int> fields;

    QByteArray build();

    // Icon images as a program file stores them: a 32-bit bitmap without its
    // file header (height doubled for the mask), or a PNG.
    static QByteArray bmpImage(int size, const QColor &colour);
    static QByteArray pngImage(int size, const QColor &colour);
    // A real black PNG of size x size (8-bit grey), made without holding its
    // pixels: decoded, it takes size x size bytes at the least.
    static QByteArray hugePng(int size);

    // A builder with one group of the given sizes, icon IDs from firstId on.
    static PeBuilder oneGroup(const QList<int> &sizes, quint16 firstId = 1, bool png = false);

    // A set of valid and broken files for the fuzzer, by file name.
    static QMap<QString, QByteArray> corpus();
};
