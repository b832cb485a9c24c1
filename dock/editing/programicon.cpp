#include "dock/editing/programicon.h"

#include "common/logging.h"
#include "common/safefile.h"
#include "platform/desktopentries.h"
#include "platform/dialogs.h"
#include "platform/paths.h"
#include "platform/programfiles.h"
#include "platform/regularfile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ProgramIcon {

namespace {
// fileName in folder when it is free, else "name (2).suffix", "name (3).suffix", …
QString freeFileName(const QString &folder, const QString &fileName)
{
    const QString first = folder + QLatin1Char('/') + fileName;
    if (!QFileInfo::exists(first) && !QFileInfo(first).isSymLink())
        return first;
    const QFileInfo fi(fileName);
    const QString base = fi.completeBaseName();
    const QString suffix = fi.suffix().isEmpty() ? QString() : QLatin1Char('.') + fi.suffix();
    for (int n = 2;; ++n) {
        const QString candidate = folder + QLatin1Char('/') + base + QStringLiteral(" (%1)").arg(n) + suffix;
        if (!QFileInfo::exists(candidate) && !QFileInfo(candidate).isSymLink())
            return candidate;
    }
}
} // namespace


Row fromFile(const QString &filePath, const QPixmap &picture)
{
    using namespace platform::ProgramFiles;
    const QFileInfo fi(filePath);
    const QString folder = platform::appConfigFolder();
    Row row;

    // A desktop entry's file name is an ID ("org.example.App"); its Name is
    // what a user calls the program.
    const bool desktopEntry = hasSuffix(filePath, "desktop");
    const QString baseName = desktopEntry ? fi.completeBaseName() : fi.baseName();
    row.name = desktopEntry ? shortcutName(filePath) : QString();
    if (row.name.isEmpty())
        row.name = baseName;

    const QString pictureFile = folder + QStringLiteral("/icon/") + baseName + QStringLiteral(".png");
    bool saved = false;
    if (!picture.isNull()) {
        QDir().mkpath(folder + QStringLiteral("/icon"));
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        saved = picture.save(&buffer, "PNG", 100) && SafeFile::write(pictureFile, png);
    }

    if (isShortcut(filePath)) {
        const QString target = shortcutTarget(filePath);
        qCDebug(lcFiles) << "快捷方式：" << fi.fileName() << target;
        if (!isProgramTarget(target)) {
            row.refusal = QCoreApplication::translate("Widget", "不是合法应用，图标添加失败！");
            return row;
        }
        QDir().mkpath(folder + QStringLiteral("/link"));
        const QString copy = freeFileName(folder + QStringLiteral("/link"), fi.fileName());
        // Saved whole or not at all: a full disk leaves no cut copy for the
        // row to point at, and the user hears of the failed save.
        QByteArray bytes;
        const auto read = platform::RegularFile::read(filePath, platform::RegularFile::ListCap, &bytes);
        if (read != platform::RegularFile::Status::Ok) {
            qCWarning(lcFiles) << "快捷方式拷贝失败！" << filePath << platform::RegularFile::describe(read);
        } else if (SafeFile::write(copy, bytes)) {
            QFile::setPermissions(copy, QFileInfo(filePath).permissions());
            qCDebug(lcFiles) << "快捷方式拷贝成功！" << target;
            row.path = copy;
        }
    } else {
        qCDebug(lcFiles) << "exe文件：" << filePath;
        row.path = filePath;
    }

    if (!saved)
        row.icon = QStringLiteral(":/image/icon/Icon-what.png");
    else if (baseName == QStringLiteral("腾讯QQ"))
        row.icon = QStringLiteral(":/image/icon/腾讯QQ.png");
    else
        row.icon = pictureFile;
    return row;
}

QStringList choose(QWidget *owner)
{
    QStringList places = platform::DesktopEntries::applicationFolders();
    const QString mine = places.value(0);
    // A new account may not have it yet; it is where desktop entries go.
    QDir().mkpath(mine);
    places << platform::desktopFolder();
    // Programs here often have no suffix at all, hence the last filter.
    const QString filters = QCoreApplication::translate("Widget", "应用程序(*.desktop)") + QStringLiteral(";;")
        + QCoreApplication::translate("Widget", "files(*.exe *.lnk *.desktop *.sh)") + QStringLiteral(";;")
        + QCoreApplication::translate("Widget", "files(*)");
    return platform::DialogsService::get().openApplications(owner, QCoreApplication::translate("Widget", "选择文件"),
                                                           mine, filters, places);
}

} // namespace ProgramIcon
