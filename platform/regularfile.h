#pragma once
#include <QByteArray>
#include <QImage>
#include <QString>

class QIODevice;

// Reading what our files name, without trusting that it is a file. A named
// pipe would block the open for ever and a link to a device would be read
// without end, so only regular files are read, and only up to a cap that
// suits their kind. Resources (":/…") are ours and are read as they are.
namespace platform::RegularFile {

// Caps by kind of file.
constexpr qint64 ListCap = 8 * 1024 * 1024;       // icon lists, notes, settings
constexpr qint64 PictureCap = 48 * 1024 * 1024;   // a picture file on disk
constexpr qint64 PicturePixels = 8192 * 8192;     // a decoded picture (256 MiB as ARGB32)

enum class Status {
    Ok,
    Missing,    // nothing at that path
    NotRegular, // a folder, a pipe, a device or a socket
    TooLarge,   // more than the cap
    Failed,     // exists but could not be opened or read
};

// Reads the whole file into *data (left empty unless Ok).
Status read(const QString &path, qint64 cap, QByteArray *data);
// The same for a file we store ourselves: a link at the path is not followed
// (NotRegular). What a planted link points to is not ours, and reading it
// would let a broken copy of it be kept in our folder.
Status readStored(const QString &path, qint64 cap, QByteArray *data);
// The same, but a file larger than the cap gives its first cap bytes in
// *data with TooLarge, for a reader that takes what lies whole within them.
Status readStoredHead(const QString &path, qint64 cap, QByteArray *data);
// Whether the path names a regular file (after following links), or a resource.
bool isRegular(const QString &path);
const char *describe(Status s);

// A picture, decoded only after its file and its stated size passed the caps.
// A null image when it cannot be read or is too large.
// autoTransform turns a photo as its camera data says.
QImage readImage(const QString &path, qint64 cap = PictureCap, qint64 maxPixels = PicturePixels,
                 bool autoTransform = false);
// Whether the picture passes the same checks, for a path that is then handed
// to a reader we do not control (QIcon loads a file by its name).
bool pictureFits(const QString &path, qint64 cap = PictureCap, qint64 maxPixels = PicturePixels);
// The bytes of a picture in a device of their own, for readers that decode
// lazily (QMovie); nullptr when the file or its stated size fails the caps.
// The caller owns the device.
QIODevice *openPicture(const QString &path, qint64 cap = PictureCap, qint64 maxPixels = PicturePixels);
// A picture already in memory (a download, an icon inside a program file),
// decoded only when its stated size is within maxPixels. format may be null.
QImage decodeImage(const QByteArray &bytes, const char *format = nullptr, qint64 maxPixels = PicturePixels);

} // namespace platform::RegularFile
