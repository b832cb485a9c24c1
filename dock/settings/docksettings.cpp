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

// Far above any settings the dock writes; more is not ours.
constexpr qint64 MaxSettings = 1 << 20;
// What is read to find them in a damaged file (a value of megabytes).
constexpr qint64 MaxFileSize = platform::RegularFile::ListCap;
// Far above any line the dock writes (a key and a path); a longer one is damage.
constexpr int MaxLine = 64 * 1024;

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
bool isUtf8(const QByteArray &bytes);

bool looksLikeText(const QByteArray &bytes)
{
    return !bytes.contains('\0') && isUtf8(bytes);
}

bool isUtf8(const QByteArray &bytes)
{
    static QTextCodec *const utf8 = QTextCodec::codecForName("UTF-8");
    QTextCodec::ConverterState state;
    utf8->toUnicode(bytes.constData(), bytes.size(), &state);
    return state.invalidChars == 0;
}

// Whether a line leaves a quote open: QSettings would then read the rest of
// the file into that one value. A backslash escapes what follows it.
bool leavesQuoteOpen(const QByteArray &line)
{
    bool open = false;
    for (int i = 0; i < line.size(); ++i) {
        if (line.at(i) == '\\')
            ++i;
        else if (line.at(i) == '"')
            open = !open;
    }
    return open;
}

// What of a damaged file reads well: the file line by line, without the
// lines that would not (a NUL byte, bytes that are not UTF-8, a line far
// longer than ours, a quote left open) and without a section whose header
// does not read, since its keys would land in another group.
struct Readable
{
    QByteArray text;         // the file as it was when no line was dropped
    QStringList droppedKeys; // "Group/Key" of each value dropped, where its key reads
    int dropped = 0;
    int kept = 0; // lines that hold a section or a key
};

Readable readableLines(const QByteArray &bytes)
{
    Readable r;
    const QList<QByteArray> physical = bytes.split('\n');
    QList<QByteArray> kept;
    QString section;
    bool sectionLost = false;
    for (int i = 0; i < physical.size(); ++i) {
        QByteArray line = physical.at(i);
        // A line that ends in an escaping backslash goes on in the next one.
        const auto continues = [](const QByteArray &l) {
            int n = 0;
            for (int k = l.size() - (l.endsWith('\r') ? 2 : 1); k >= 0 && l.at(k) == '\\'; --k)
                ++n;
            return n % 2 == 1;
        };
        while (continues(line) && i + 1 < physical.size() && line.size() <= MaxLine)
            line += '\n' + physical.at(++i);
        const QByteArray trimmed = line.trimmed();
        const bool bad = line.contains('\0') || line.size() > MaxLine || !isUtf8(line) || leavesQuoteOpen(line);
        if (trimmed.startsWith('[')) {
            const int close = trimmed.indexOf(']');
            sectionLost = bad || close < 0;
            if (sectionLost) {
                ++r.dropped;
                continue;
            }
            section = QString::fromUtf8(trimmed.mid(1, close - 1).trimmed());
            if (section.compare(QLatin1String("General"), Qt::CaseInsensitive) == 0)
                section.clear();
        } else if (sectionLost || bad) {
            ++r.dropped;
            const int eq = line.indexOf('=');
            const QByteArray key = line.left(qMax(eq, 0)).trimmed();
            bool plain = !sectionLost && !key.isEmpty() && key.size() < 256;
            for (char c : key)
                plain = plain && c > ' ' && c < 127;
            if (plain)
                r.droppedKeys << (section.isEmpty() ? QString() : section + QLatin1Char('/')) + QString::fromLatin1(key);
            continue;
        }
        if (!trimmed.isEmpty() && (trimmed.startsWith('[') || trimmed.contains('=')))
            ++r.kept;
        kept << line;
    }
    r.text = r.dropped == 0 ? bytes : kept.join('\n');
    return r;
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
    // Too large for ours reads as not ours; unreadable as not read. Of a
    // damaged file, what reads well is read; a file with nothing that reads
    // is not ours.
    const Readable readable = status == Status::Ok ? readableLines(bytes) : Readable();
    const Parse parsed = status == Status::Failed ? Parse::NoScratch
                       : status != Status::Ok || (readable.dropped > 0 && readable.kept == 0)
                               || readable.text.size() > MaxSettings
                           ? Parse::NotIni
                           : parse(readable.text, &values);
    if (parsed == Parse::NoScratch) {
        // Neither good nor bad: the defaults stand in for this run, and the
        // file stays as it is.
        qWarning() << "config.ini could not be read, it is left as it is:" << m_path;
        m_unread = true;
        return;
    }
    if (parsed != Parse::Ok || readable.dropped > 0) {
        // The whole file is kept before anything is saved over it (where it
        // cannot be, nothing is, in this run). Loading the same file again
        // keeps no second copy.
        const QFileInfo fi(m_path);
        const QString seen = QString::number(fi.size()) + QLatin1Char('/')
            + QString::number(fi.lastModified().toMSecsSinceEpoch());
        if (seen != m_keptBad) {
            SafeFile::keepBad(m_path);
            m_keptBad = seen;
        }
    }
    if (parsed != Parse::Ok)
        return;
    m_values = values;
    m_base = readable.text;
    m_exists = true;
    // A value that did not read takes its default, as a first start writes it.
    for (const QString &key : readable.droppedKeys) {
        if (defaults().contains(key) && !m_values.contains(key)) {
            m_values.insert(key, defaults().value(key));
            m_pending.insert(key);
        }
    }
}

bool DockSettings::save()
{
    // A file that could not be kept aside is not saved over in this run;
    // the user was told so when it was read.
    if (SafeFile::isLeftAlone(m_path)) {
        qWarning() << "config.ini left as it is:" << m_path;
        return false;
    }
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
