#pragma once
#include "service.h"

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace platform {

// The large picture of a file, for icons made from programs and shortcuts.
class FileIcons
{
public:
    virtual ~FileIcons() = default;
    // The file's icon at size × size pixels, or a null pixmap when the file
    // has none to give.
    virtual QPixmap largeIcon(const QString &file, int size) = 0;
};

using FileIconsService = Service<FileIcons>;

// From the icon theme: a ".desktop" file gives its Icon entry; an executable
// the icon of a desktop entry that starts it, else the theme's executable
// icon; any other file the icon of its MIME type.
class ThemeFileIcons : public FileIcons
{
public:
    QPixmap largeIcon(const QString &file, int size) override;

    // The theme names to try, best first; an absolute picture path may stand
    // first where a desktop file names one.
    static QStringList iconNames(const QString &file);
    // The icon of one such name. A path is loaded by QIcon at paint time,
    // out of our hands: it is taken only when it names a picture that passes
    // the checks of RegularFile (no pipe, no picture of gigabytes).
    static QIcon iconOf(const QString &name);
    // The first of the file's names that the theme has; null when none.
    static QIcon iconFor(const QString &file);
    // The icon's best picture for size × size: its largest, made smaller
    // when larger, a scalable one drawn at that size, a smaller one as it
    // is. (Asked for a size, a theme gives the nearest picture, which may be
    // a small one.)
    static QPixmap largestPicture(const QIcon &icon, int size);
};

} // namespace platform
