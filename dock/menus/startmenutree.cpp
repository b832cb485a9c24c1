#include "dock/menus/startmenutree.h"

#include "platform/desktopentries.h"

#include <XdgDesktopFile>

#include <QCollator>
#include <QCoreApplication>
#include <QHash>

namespace StartMenuTree {

namespace {

struct Category
{
    const char *key;
    const char *name;
};

// The freedesktop main categories, in the order the panel lists them.
const Category categories[] = {
    { "AudioVideo", QT_TRANSLATE_NOOP("StartMenuTree", "影音") },
    { "Development", QT_TRANSLATE_NOOP("StartMenuTree", "开发") },
    { "Education", QT_TRANSLATE_NOOP("StartMenuTree", "教育") },
    { "Game", QT_TRANSLATE_NOOP("StartMenuTree", "游戏") },
    { "Graphics", QT_TRANSLATE_NOOP("StartMenuTree", "图形") },
    { "Network", QT_TRANSLATE_NOOP("StartMenuTree", "网络") },
    { "Office", QT_TRANSLATE_NOOP("StartMenuTree", "办公") },
    { "Science", QT_TRANSLATE_NOOP("StartMenuTree", "科学") },
    { "Settings", QT_TRANSLATE_NOOP("StartMenuTree", "设置") },
    { "System", QT_TRANSLATE_NOOP("StartMenuTree", "系统") },
    { "Utility", QT_TRANSLATE_NOOP("StartMenuTree", "附件") },
    { "Other", QT_TRANSLATE_NOOP("StartMenuTree", "其他") },
};

bool isTrue(const XdgDesktopFile &df, const char *key)
{
    return df.value(QLatin1String(key)).toString().trimmed().compare(QLatin1String("true"), Qt::CaseInsensitive)
        == 0;
}

} // namespace

QStringList applicationFolders()
{
    return platform::DesktopEntries::applicationFolders();
}

QString mainCategory(const QStringList &cats)
{
    for (const QString &c : cats) {
        const QString t = c.trimmed();
        if (t == QLatin1String("Audio") || t == QLatin1String("Video"))
            return QStringLiteral("AudioVideo");
        for (const Category &m : categories) {
            if (t == QLatin1String(m.key))
                return t;
        }
    }
    return QStringLiteral("Other");
}

QString folderName(const QString &category)
{
    for (const Category &m : categories) {
        if (category == QLatin1String(m.key))
            return QCoreApplication::translate("StartMenuTree", m.name);
    }
    return category;
}

static QString nameOf(const XdgDesktopFile &df)
{
    const QString zh = df.value(QStringLiteral("Name[zh_CN]")).toString();
    if (!zh.isEmpty())
        return zh;
    const QString local = df.name();
    return local.isEmpty() ? df.value(QStringLiteral("Name")).toString() : local;
}

QString entryName(const QString &desktopFile)
{
    XdgDesktopFile df;
    return df.load(desktopFile) ? nameOf(df) : QString();
}

QList<Folder> scan(const QStringList &folders)
{
    QHash<QString, QList<Entry>> byCategory;
    for (const platform::DesktopEntries::Entry &f : platform::DesktopEntries::list(folders)) {
        XdgDesktopFile df;
        if (!platform::DesktopEntries::load(f.file, &df))
            continue;
        if (df.type() != XdgDesktopFile::ApplicationType && df.type() != XdgDesktopFile::LinkType)
            continue;
        if (isTrue(df, "Hidden") || isTrue(df, "NoDisplay") || !df.isShown())
            continue;
        const QString name = nameOf(df);
        if (name.isEmpty())
            continue;
        byCategory[mainCategory(df.categories())].append({ name, f.file });
    }

    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    QList<Folder> out;
    for (const Category &m : categories) {
        QList<Entry> entries = byCategory.value(QLatin1String(m.key));
        if (entries.isEmpty())
            continue;
        std::sort(entries.begin(), entries.end(), [&](const Entry &a, const Entry &b) {
            const int c = collator.compare(a.name, b.name);
            return c != 0 ? c < 0 : a.file < b.file;
        });
        out.append({ QLatin1String(m.key), folderName(QLatin1String(m.key)), entries });
    }
    return out;
}

} // namespace StartMenuTree
