#include "dock/editing/iconextraction.h"

#include "common/logging.h"
#include "dock/editing/iconfolder.h"
#include "dock/editing/programicon.h"
#include "platform/fileicons.h"
#include "platform/peicons.h"
#include "platform/programfiles.h"
#include "platform/regularfile.h"

#include <QFile>
#include <QFileInfo>
#include <QIcon>

namespace {

// No program's icons need more; a bigger file is not read whole into memory.
constexpr qint64 MaxProgramFileBytes = 512 << 20;

bool isPeFile(const QString &path)
{
    using platform::ProgramFiles::hasSuffix;
    return hasSuffix(path, "exe") || hasSuffix(path, "dll");
}

// One picture of a program file, or a null image when it does not decode.
// Only standard widths (256 at most) are asked for and the reader caps a
// stated height at 65535, so no picture asked for is past the pixel cap of
// every picture.
QImage decodeIcon(const platform::PeIcons::IconImage &icon)
{
    if (icon.height <= 0)
        return QImage();
    if (icon.png)
        return platform::RegularFile::decodeImage(icon.data, "PNG");
    return QImage::fromData(icon.ico(), "ICO");
}

} // namespace

QString IconExtraction::prefix() const
{
    return IconFolder::file(base);
}

QString IconExtraction::file(int n) const
{
    return prefix() + QString::number(n) + QStringLiteral(".png");
}

QList<QImage> IconExtraction::peImages(const QString &file, int *largestOut)
{
    QList<QImage> out;
    QByteArray bytes;
    if (platform::RegularFile::read(file, MaxProgramFileBytes, &bytes) != platform::RegularFile::Status::Ok) {
        qCDebug(lcFiles) << "dll加载失败！" << file;
        return out;
    }
    const platform::PeIcons::Contents contents = platform::PeIcons::read(bytes);

    // Every picture of the largest standard size, in resource order: several
    // groups (or colour depths) of that size give several pictures. Sizes
    // are what each picture's own header states, so that only the pictures
    // kept are decoded; a size whose pictures all fail to decode counts for
    // nothing, and the next smaller one is tried.
    static const int widths[] = { 256, 128, 64, 48, 32, 24, 16 };
    int largest = 0;
    for (int w : widths) {
        for (const platform::PeIcons::IconImage &icon : contents.icons) {
            if (icon.width != w)
                continue;
            const QImage img = decodeIcon(icon);
            if (!img.isNull() && img.width() == w)
                out << img;
        }
        if (!out.isEmpty()) {
            largest = w;
            break;
        }
    }
    if (largestOut)
        *largestOut = largest;
    return out;
}

QList<QImage> IconExtraction::themeImages(const QString &file)
{
    // One picture: the largest the theme has, up to the size an icon grows
    // to, and a scalable one drawn at that size. A smaller picture picked
    // from a list would be blown up, and blurred, as the icon grows.
    const QIcon icon = platform::ThemeFileIcons::iconFor(file);
    if (icon.isNull())
        return {};
    const QPixmap p = platform::ThemeFileIcons::largestPicture(icon, ProgramIcon::PictureSize);
    if (p.isNull())
        return {};
    return { p.toImage() };
}

void IconExtraction::save(const QList<QImage> &images)
{
    // A picture that could not be written is not offered: it would show empty.
    for (const QImage &img : images) {
        if (IconFolder::savePng(img, base + QString::number(saved + 1) + QStringLiteral(".png")))
            ++saved;
    }
}

IconExtraction::Outcome IconExtraction::run(const QString &appName)
{
    using namespace platform::ProgramFiles;
    largest = 0;
    saved = 0;
    sourcePath = appName;
    const QFileInfo fi(appName);
    // A desktop entry's file name is an ID with dots ("org.example.App").
    const bool desktopEntry = hasSuffix(appName, "desktop");
    base = desktopEntry ? fi.completeBaseName() : fi.baseName();

    if (desktopEntry) {
        save(themeImages(appName));
        return saved ? Pictures : NoPicture;
    }
    const QString target = isShortcut(appName) ? shortcutTarget(appName) : appName;
    if (target.isEmpty() || QFileInfo(target).isDir())
        return UseNote;
    if (isPeFile(target)) {
        save(peImages(target, &largest));
        return saved ? Pictures : NoPicture;
    }
    if (isExecutableProgram(target)) {
        save(themeImages(target));
        return saved ? Pictures : NoPicture;
    }
    return QFileInfo(target).suffix().isEmpty() ? UseNote : NoPicture;
}
