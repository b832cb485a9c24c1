#include "docksettings.h"

#include "common/logging.h"
#include "common/safefile.h"
#include "platform/regularfile.h"
#include "platform/paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QPointer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QVector>

namespace {

// The size of a stored file any of our programs reads: a larger one is not
// ours, whatever it holds (comments included).
constexpr qint64 MaxFileSize = platform::RegularFile::ListCap;
// Far above the keys and groups the dock writes (a few dozen): a file of
// more is not ours, and would take seconds to read and to save each time.
constexpr int MaxEntries = 10000;
// Far above any line the dock writes (a key and a path); a longer one is damage.
constexpr int MaxLine = 64 * 1024;

const char *const ScratchPrefix = ".tmp-";

// One row of the table.
struct Row
{
    DockSettings::Key key;
    QString name;
    int type;
    QVariant def;
    SettingRule rule;
};

constexpr SettingRule asStored() { return SettingRule::asStored(); }
constexpr SettingRule orDefault() { return SettingRule::orDefault(); }
constexpr SettingRule guarded() { return SettingRule::guarded(); }

const QVector<Row> &table()
{
    static const QVector<Row> rows = {
#define ZV_DOCK_SETTINGS_ROW(type, getter, setter, key, def, rule)                                          \
    { DockSettings::Key::getter, QStringLiteral(key), qMetaTypeId<type>(), QVariant::fromValue<type>(def), rule },
        ZV_DOCK_SETTINGS(ZV_DOCK_SETTINGS_ROW)
#undef ZV_DOCK_SETTINGS_ROW
    };
    return rows;
}

const Row &row(DockSettings::Key key)
{
    return table().at(int(key));
}

const QHash<QString, int> &rowByName()
{
    static const QHash<QString, int> map = [] {
        QHash<QString, int> m;
        for (int i = 0; i < table().size(); ++i)
            m.insert(table().at(i).name, i);
        return m;
    }();
    return map;
}

// A value of a row that is not a number, as its type: a flag, a point or a text.
QVariant asType(int type, const QVariant &v)
{
    if (type == QMetaType::Bool)
        return v.toBool();
    if (type == QMetaType::QPoint)
        return v.toPoint();
    return v.toString();
}

// A value as the key of that row is stored: a number as its decimal text.
QVariant storedForm(const Row &r, const QVariant &v)
{
    if (r.type != QMetaType::Int)
        return asType(r.type, v);
    // A size of the moment may be a float: its text as a float's.
    if (v.userType() == QMetaType::Double || v.userType() == QMetaType::Float)
        return QString::number(v.toDouble(), 'g', 6);
    return QString::number(v.toInt());
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
        const bool comment = trimmed.startsWith(';') || trimmed.startsWith('#');
        if (!comment && (trimmed.startsWith('[') || trimmed.contains('=')))
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
    qRegisterMetaType<DockSettings::Key>();
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

QVariant DockSettings::defaultValue(const QString &key)
{
    const auto found = rowByName().constFind(key);
    return found == rowByName().constEnd() ? QVariant() : table().at(*found).def;
}

QStringList DockSettings::knownKeys()
{
    QStringList keys;
    for (const Row &r : table())
        keys << r.name;
    return keys;
}

QString DockSettings::keyName(Key key)
{
    return row(key).name;
}

QVariant DockSettings::defaultValue(Key key)
{
    return row(key).def;
}

const DockSettings::Defaults &DockSettings::defaults()
{
    static const Defaults values;
    return values;
}

SettingRule DockSettings::rule(Key key)
{
    return row(key).rule;
}

QVariant DockSettings::read(Key key) const
{
    const auto known = m_read.constFind(int(key));
    if (known != m_read.constEnd())
        return *known;
    const Row &r = row(key);
    const QVariant v = hasText(r.name) ? m_values.value(r.name)
                     : r.rule.fallback == SettingRule::Stored ? QVariant()
                                                              : r.def;
    QVariant out;
    if (r.type != QMetaType::Int) {
        out = asType(r.type, v);
    } else {
        int n = v.toInt(); // a text that is not a number reads as 0
        if (r.rule.positive && n <= 0)
            n = r.def.toInt();
        out = qBound(r.rule.low, n, r.rule.high);
    }
    m_read.insert(int(key), out);
    return out;
}

void DockSettings::store(Key key, const QVariant &value)
{
    const Row &r = row(key);
    setValue(r.name, storedForm(r, value));
}

void DockSettings::fillGuarded()
{
    for (const Row &r : table()) {
        if (r.rule.fallback != SettingRule::Guarded)
            continue;
        const bool fellBack = !hasText(r.name) || (r.rule.positive && m_values.value(r.name).toInt() <= 0);
        if (fellBack)
            store(r.key, r.def);
    }
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
    // The same value in another form ("false" as read, false as set) is no change.
    const bool same = it != m_values.constEnd() && *it == value;
    m_values.insert(key, value);
    m_read.clear();
    // Writing the same value again still stamps the key into the file, as a
    // routine that sets it always did.
    m_pending.insert(key);
    const auto known = rowByName().constFind(key);
    if (!same && known != rowByName().constEnd())
        emit changed(table().at(*known).key);
    // A caller that forgets save() still gets its change written.
    if (!m_saveQueued && !m_held) {
        m_saveQueued = true;
        QMetaObject::invokeMethod(this, [this] {
            m_saveQueued = false;
            if (isDirty() && !m_held)
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
    // Whatever this reads, nothing read before it holds.
    struct Forget
    {
        QHash<int, QVariant> &read;
        ~Forget() { read.clear(); }
    } forget { m_read };
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
        qCWarning(lcFiles) << "config.ini is not a regular file, ignored:" << m_path;
        return;
    }
    QVariantMap values;
    // Too large for ours reads as not ours; unreadable as not read. Of a
    // damaged file, what reads well is read; a file with nothing that reads
    // is not ours.
    const Readable readable = status == Status::Ok ? readableLines(bytes) : Readable();
    const Parse parsed = status == Status::Failed ? Parse::NoScratch
                       : status != Status::Ok || (readable.dropped > 0 && readable.kept == 0)
                               || readable.kept > MaxEntries
                           ? Parse::NotIni
                           : parse(readable.text, &values);
    if (parsed == Parse::NoScratch) {
        // Neither good nor bad: the defaults stand in for this run, and the
        // file stays as it is.
        qCWarning(lcFiles) << "config.ini could not be read, it is left as it is:" << m_path;
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
        const auto found = rowByName().constFind(key);
        if (found != rowByName().constEnd() && !m_values.contains(key)) {
            const Row &r = table().at(*found);
            m_values.insert(key, storedForm(r, r.def));
            m_pending.insert(key);
        }
    }
}

bool DockSettings::save()
{
    // A file that could not be kept aside is not saved over in this run;
    // the user was told so when it was read.
    if (SafeFile::isLeftAlone(m_path)) {
        qCWarning(lcFiles) << "config.ini left as it is:" << m_path;
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
        qCWarning(lcFiles) << "config.ini not written:" << m_path;
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
