#include "regularfile.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::RegularFile {

namespace {

bool isResource(const QString &path)
{
    return path.startsWith(QLatin1Char(':')) || path.startsWith(QLatin1String("qrc:"));
}

Status readResource(const QString &path, qint64 cap, QByteArray *data)
{
    QFile f(path);
    if (!f.exists())
        return Status::Missing;
    if (f.size() > cap)
        return Status::TooLarge;
    if (!f.open(QIODevice::ReadOnly))
        return Status::Failed;
    *data = f.readAll();
    return Status::Ok;
}

// Whether the picture's header states a size within maxPixels.
bool sizeAllowed(QIODevice *device, qint64 maxPixels, const char *format = nullptr)
{
    QImageReader reader(device, format);
    const QSize size = reader.size();
    device->seek(0);
    // A reader that cannot tell the size before decoding is not trusted with it.
    if (!size.isValid())
        return false;
    return qint64(size.width()) * qint64(size.height()) <= maxPixels;
}

} // namespace

const char *describe(Status s)
{
    switch (s) {
    case Status::Ok: return "read";
    case Status::Missing: return "missing";
    case Status::NotRegular: return "not a regular file";
    case Status::TooLarge: return "too large";
    case Status::Failed: return "unreadable";
    }
    return "unreadable";
}

bool isRegular(const QString &path)
{
    if (isResource(path))
        return QFile::exists(path);
    struct stat st;
    const QByteArray name = QFile::encodeName(path);
    return !name.isEmpty() && ::stat(name.constData(), &st) == 0 && S_ISREG(st.st_mode);
}

namespace {

Status readFile(const QString &path, qint64 cap, QByteArray *data, bool followLink, bool keepHead = false)
{
    data->clear();
    if (path.isEmpty())
        return Status::Missing;
    if (isResource(path))
        return readResource(path, cap, data);

    const QByteArray name = QFile::encodeName(path);
    // Non-blocking, so that opening a pipe returns at once; the type is then
    // checked on what was opened, not on what the name meant a moment before.
    const int fd = ::open(name.constData(),
                          O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY | (followLink ? 0 : O_NOFOLLOW));
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return Status::Missing;
        return errno == ELOOP && !followLink ? Status::NotRegular : Status::Failed;
    }
    struct stat st;
    Status status = Status::Ok;
    if (::fstat(fd, &st) != 0)
        status = Status::Failed;
    else if (!S_ISREG(st.st_mode))
        status = Status::NotRegular;
    else if (st.st_size > cap && !keepHead)
        status = Status::TooLarge;
    if (status != Status::Ok) {
        ::close(fd);
        return status;
    }

    // The file may grow while it is read: never past the cap.
    QByteArray buf;
    buf.reserve(int(qMin<qint64>(st.st_size, cap)));
    char chunk[65536];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            status = Status::Failed;
            break;
        }
        if (n == 0)
            break;
        if (buf.size() + n > cap) {
            if (keepHead)
                buf.append(chunk, int(cap - buf.size()));
            status = Status::TooLarge;
            break;
        }
        buf.append(chunk, int(n));
    }
    ::close(fd);
    if (status == Status::Ok || (status == Status::TooLarge && keepHead))
        *data = buf;
    return status;
}

} // namespace

Status read(const QString &path, qint64 cap, QByteArray *data)
{
    return readFile(path, cap, data, true);
}

Status readStored(const QString &path, qint64 cap, QByteArray *data)
{
    return readFile(path, cap, data, false);
}

Status readStoredHead(const QString &path, qint64 cap, QByteArray *data)
{
    return readFile(path, cap, data, false, true);
}

QIODevice *openPicture(const QString &path, qint64 cap, qint64 maxPixels)
{
    QByteArray bytes;
    if (read(path, cap, &bytes) != Status::Ok)
        return nullptr;
    auto *buffer = new QBuffer;
    buffer->setData(bytes);
    buffer->open(QIODevice::ReadOnly);
    if (!sizeAllowed(buffer, maxPixels)) {
        delete buffer;
        return nullptr;
    }
    return buffer;
}

QImage readImage(const QString &path, qint64 cap, qint64 maxPixels, bool autoTransform)
{
    QIODevice *device = openPicture(path, cap, maxPixels);
    if (!device)
        return QImage();
    QImageReader reader(device);
    reader.setAutoTransform(autoTransform);
    const QImage image = reader.read();
    delete device;
    return image;
}

QImage decodeImage(const QByteArray &bytes, const char *format, qint64 maxPixels)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    if (!sizeAllowed(&buffer, maxPixels, format))
        return QImage();
    QImageReader reader(&buffer, format);
    return reader.read();
}

bool pictureFits(const QString &path, qint64 cap, qint64 maxPixels)
{
    QIODevice *device = openPicture(path, cap, maxPixels);
    delete device;
    return device != nullptr;
}

} // namespace platform::RegularFile
