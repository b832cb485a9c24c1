#include "docksettings.h"

#include "common/safefile.h"
#include "platform/regularfile.h"
#include "platform/paths.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QPointer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextCodec>

namespace {

// Far above any settings file the dock writes; anything bigger is not ours.
constexpr qint64 MaxFileSize = 1 << 20;

const char *const ScratchPrefix = ".tmp-";

struct KeyDefault
{
    QString key;
    QVariant def;
};

const QList<KeyDefault> &keyTable()
{
    static const QList<KeyDefault> table = {
#define ZV_DOCK_SETTINGS_ROW(type, getter, setter, key, def) { QStringLiteral(key), QVariant::fromValue<type>(def) },
        ZV_DOCK_SETTINGS(ZV_DOCK_SETTINGS_ROW)
#undef ZV_DOCK_SETTINGS_ROW
    };
    return table;
}

const QHash<QString, QVariant> &defaults()
{
    static const QHash<QString, QVariant> map = [] {
        QHash<QString, QVariant> m;
        for (const KeyDefault &k : keyTable())
            m.insert(k.key, k.def);
        return m;
    }();
    return map;
}

// An INI file is text: NUL bytes mean UTF-16 or a binary file, and bytes
// that are not UTF-8 were not written by us or by a text editor in UTF-8.
bool looksLikeText(const QByteArray &bytes)
{
    if (bytes.contains('\0'))
        return false;
    QTextCodec::ConverterState state;
    QTextCodec::codecForName("UTF-8")->toUnicode(bytes.constData(), bytes.size(), &state);
    return state.invalidChars == 0;
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const bool ok = f.write(bytes) == bytes.size() && f.flush();
    f.close();
    return ok && f.error() == QFileDevice::NoError;
}

} // namespace

DockSettings::DockSettings(const QString &path, QObject *parent)
    : QObject(parent), m_path(path)
{
    load();
}

DockSettings::~DockSettings()
{
    if (isDirty())
        save();
}

QString DockSettings::defaultPath()
{
    return platform::configPath(QStringLiteral("config.ini"));
}

DockSettings *DockSettings::instance()
{
    static QPointer<DockSettings> shared;
    if (!shared)
        shared = new DockSettings(defaultPath(), QCoreApplication::instance());
    return shared;
}

bool DockSettings::hasText(const QString &key) const
{
    const QVariant v = m_values.value(key);
    // A point is stored as "@Point(x y)" and reads back as a point, not text.
    if (v.userType() == QMetaType::QPoint)
        return true;
    return !v.toString().isEmpty();
}

QVariant DockSettings::valueOrDefault(const QString &key) const
{
    if (hasText(key))
        return m_values.value(key);
    return defaults().value(key);
}

QVariant DockSettings::defaultValue(const QString &key)
{
    return defaults().value(key);
}

QStringList DockSettings::knownKeys()
{
    QStringList keys;
    for (const KeyDefault &k : keyTable())
        keys << k.key;
    return keys;
}

int DockSettings::hotkeyIndex(const QString &name)
{
    for (int i = 0; i < DockHotkeyCount; ++i) {
        if (name == QLatin1String(dockHotkeys[i].name))
            return i;
    }
    return -1;
}

void DockSettings::setValue(const QString &key, const QVariant &value)
{
    const auto it = m_values.constFind(key);
    const bool same = it != m_values.constEnd() && it->type() == value.type() && *it == value;
    m_values.insert(key, value);
    // Writing the same value again still stamps the key into the file, as a
    // routine that sets it always did.
    m_pending.insert(key);
    if (!same)
        emit valueChanged(key, value);
    // A caller that forgets save() still gets its change written.
    if (!m_saveQueued) {
        m_saveQueued = true;
        QMetaObject::invokeMethod(this, [this] {
            m_saveQueued = false;
            if (isDirty())
                save();
        }, Qt::QueuedConnection);
    }
}

QString DockSettings::scratchTemplate() const
{
    // In the private runtime folder when there is one: it lives in memory on
    // most systems, so a full disk still leaves room to read the settings.
    const QString runtime = platform::runtimeFolder();
    const QString name = QFileInfo(m_path).fileName() + QLatin1String(ScratchPrefix) + QStringLiteral("XXXXXX");
    return (runtime.isEmpty() ? QFileInfo(m_path).absolutePath() : runtime) + QLatin1Char('/') + name;
}

void DockSettings::removeLeftovers() const
{
    const QFileInfo fi(m_path);
    for (const QString &folder : { fi.absolutePath(), QFileInfo(scratchTemplate()).absolutePath() }) {
        QDir dir(folder);
        const QStringList stale = dir.entryList({ fi.fileName() + QLatin1String(ScratchPrefix) + QLatin1Char('*') },
                                                QDir::Dirs | QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
        for (const QString &name : stale) {
            const QString p = dir.filePath(name);
            // A link goes as a link: what it points to is not ours.
            const QFileInfo entry(p);
            if (entry.isDir() && !entry.isSymLink())
                QDir(p).removeRecursively();
            else
                QFile::remove(p);
        }
    }
    // An empty lock beside the file is what an older QSettings-based save
    // left when it was killed; nothing of ours takes that lock any more.
    const QFileInfo lock(m_path + QStringLiteral(".lock"));
    if (lock.isFile() && lock.size() == 0)
        QFile::remove(lock.filePath());
}

DockSettings::Parse DockSettings::parse(const QByteArray &bytes, QVariantMap *out) const
{
    out->clear();
    if (!looksLikeText(bytes))
        return Parse::NotIni;
    QTemporaryDir scratch(scratchTemplate());
    if (!scratch.isValid())
        return Parse::NoScratch;
    const QString copy = scratch.filePath(QStringLiteral("config.ini"));
    if (!writeAll(copy, bytes))
        return Parse::NoScratch;
    QSettings set(copy, QSettings::IniFormat);
    if (set.status() != QSettings::NoError)
        return Parse::NotIni;
    for (const QString &key : set.allKeys())
        out->insert(key, set.value(key));
    return Parse::Ok;
}

void DockSettings::load()
{
    m_values.clear();
    m_base.clear();
    m_exists = false;
    m_pending.clear();
    m_unread = false;
    removeLeftovers();

    // Through the shared reader of our files: a pipe or a device would block
    // or never end, a link is not followed, and a file far larger than ours
    // is not read.
    using platform::RegularFile::Status;
    QByteArray bytes;
    const Status status = platform::RegularFile::readStored(m_path, MaxFileSize, &bytes);
    if (status == Status::Missing)
        return;
    if (status == Status::NotRegular) {
        qWarning() << "config.ini is not a regular file, ignored:" << m_path;
        return;
    }
    QVariantMap values;
    // Too large for ours reads as not ours; unreadable as not read.
    const Parse parsed = status == Status::Ok       ? parse(bytes, &values)
                       : status == Status::Failed   ? Parse::NoScratch
                                                    : Parse::NotIni;
    if (parsed == Parse::NoScratch) {
        // Neither good nor bad: the defaults stand in for this run, and the
        // file stays as it is.
        qWarning() << "config.ini could not be read, it is left as it is:" << m_path;
        m_unread = true;
        return;
    }
    if (parsed != Parse::Ok) {
        // Loading the same unreadable file again keeps no second copy.
        const QFileInfo fi(m_path);
        const QString seen = QString::number(fi.size()) + QLatin1Char('/')
            + QString::number(fi.lastModified().toMSecsSinceEpoch());
        if (seen != m_keptBad) {
            SafeFile::keepBad(m_path);
            m_keptBad = seen;
        }
        return;
    }
    m_values = values;
    m_base = bytes;
    m_exists = true;
}

bool DockSettings::save()
{
    QByteArray bytes;
    bool ok = false;
    if (!m_unread) {
        QDir().mkpath(QFileInfo(m_path).absolutePath());
        QTemporaryDir scratch(scratchTemplate());
        const QString copy = scratch.filePath(QStringLiteral("config.ini"));
        // QSettings formats the text on a copy of the file as last read, so
        // groups keep their order and the bytes are what it always wrote.
        if (scratch.isValid() && writeAll(copy, m_base)) {
            QSettings set(copy, QSettings::IniFormat);
            for (const QString &key : qAsConst(m_pending))
                set.setValue(key, m_values.value(key));
            set.sync();
            if (set.status() == QSettings::NoError) {
                QFile f(copy);
                if (f.open(QIODevice::ReadOnly))
                    bytes = f.readAll();
                ok = !bytes.isEmpty() || m_values.isEmpty();
            }
        }
    }
    if (ok) {
        // What will stand in the file must read back as what we hold.
        QVariantMap check;
        ok = parse(bytes, &check) == Parse::Ok && check.keys() == m_values.keys();
        for (auto it = m_values.constBegin(); ok && it != m_values.constEnd(); ++it)
            ok = check.value(it.key()).toString() == it.value().toString();
    }
    if (ok)
        ok = SafeFile::write(m_path, bytes);
    if (!ok) {
        qWarning() << "config.ini not written:" << m_path;
        if (!m_failing) {
            m_failing = true;
            emit saveFailed(m_path);
        }
        return false;
    }
    m_failing = false;
    m_base = bytes;
    m_exists = true;
    m_pending.clear();
    return true;
}
