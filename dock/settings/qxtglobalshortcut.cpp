#include "qxtglobalshortcut.h"

#include "common/logging.h"
#include "platform/globalhotkeys.h"

#include <QHash>

using platform::GlobalHotKeys;
using platform::GlobalHotKeysService;

// Presses come from the platform as chords; one table for the whole program
// finds the hot key that holds each chord.
class QxtGlobalShortcutDispatcher : public QObject
{
    Q_OBJECT
public:
    static QxtGlobalShortcutDispatcher &instance()
    {
        static QxtGlobalShortcutDispatcher d;
        return d;
    }
    void listenTo(GlobalHotKeys &source)
    {
        connect(&source, &GlobalHotKeys::pressed, this, &QxtGlobalShortcutDispatcher::fire, Qt::UniqueConnection);
    }
    QHash<int, QxtGlobalShortcut *> owners;
    int suspended = 0;

public slots:
    void fire(int chord)
    {
        QxtGlobalShortcut *s = owners.value(chord);
        if (s && s->m_enabled)
            emit s->activated();
    }
};

namespace {

QString chordText(int chord)
{
    return QKeySequence(chord).toString(QKeySequence::PortableText);
}

// Empty, or a modifier alone: nothing to register, by intent.
bool namesNoKey(int chord)
{
    const int key = chord & ~GlobalHotKeys::ModifierMask & ~Qt::KeypadModifier;
    switch (key) {
    case 0:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_unknown:
        return true;
    default:
        return false;
    }
}

} // namespace

QxtGlobalShortcut::QxtGlobalShortcut(QObject *parent) : QObject(parent) {}

QxtGlobalShortcut::QxtGlobalShortcut(const QKeySequence &shortcut, QObject *parent) : QObject(parent)
{
    setShortcut(shortcut);
}

QxtGlobalShortcut::~QxtGlobalShortcut()
{
    unbind();
}

QKeySequence QxtGlobalShortcut::shortcut() const
{
    return m_chord ? QKeySequence(m_chord) : QKeySequence();
}

bool QxtGlobalShortcut::setShortcut(const QKeySequence &shortcut)
{
    unbind();
    // Only the first chord of a sequence can be a hot key.
    m_chord = shortcut.isEmpty() ? 0 : shortcut[0];
    if (namesNoKey(m_chord))
        return false;

    auto &dispatcher = QxtGlobalShortcutDispatcher::instance();
    QxtGlobalShortcut *holder = dispatcher.owners.value(m_chord);
    if (holder && holder != this) {
        qCWarning(lcDesktop) << "QxtGlobalShortcut failed to register:" << chordText(m_chord);
        return false;
    }
    dispatcher.owners.insert(m_chord, this);
    m_registered = true;
    // While suspended, the chord is taken when the suspension ends.
    return dispatcher.suspended || take();
}

bool QxtGlobalShortcut::take()
{
    auto &dispatcher = QxtGlobalShortcutDispatcher::instance();
    GlobalHotKeys &keys = GlobalHotKeysService::get();
    if (!keys.grab(m_chord)) {
        qCWarning(lcDesktop) << "QxtGlobalShortcut failed to register:" << chordText(m_chord);
        if (dispatcher.owners.value(m_chord) == this)
            dispatcher.owners.remove(m_chord);
        m_registered = false;
        return false;
    }
    dispatcher.listenTo(keys);
    return true;
}

void QxtGlobalShortcut::unbind()
{
    if (m_registered) {
        auto &dispatcher = QxtGlobalShortcutDispatcher::instance();
        if (!dispatcher.suspended && !GlobalHotKeysService::get().ungrab(m_chord))
            qCWarning(lcDesktop) << "QxtGlobalShortcut failed to unregister:" << chordText(m_chord);
        if (dispatcher.owners.value(m_chord) == this)
            dispatcher.owners.remove(m_chord);
        m_registered = false;
    }
    m_chord = 0;
}

void QxtGlobalShortcut::suspend()
{
    auto &dispatcher = QxtGlobalShortcutDispatcher::instance();
    if (dispatcher.suspended++)
        return;
    for (auto it = dispatcher.owners.cbegin(); it != dispatcher.owners.cend(); ++it) {
        if (!GlobalHotKeysService::get().ungrab(it.key()))
            qCWarning(lcDesktop) << "QxtGlobalShortcut failed to unregister:" << chordText(it.key());
    }
}

void QxtGlobalShortcut::resume()
{
    auto &dispatcher = QxtGlobalShortcutDispatcher::instance();
    if (!dispatcher.suspended || --dispatcher.suspended)
        return;
    // A chord another program took meanwhile is lost, as at registration.
    const QList<QxtGlobalShortcut *> holders = dispatcher.owners.values();
    for (QxtGlobalShortcut *s : holders)
        s->take();
}

bool QxtGlobalShortcut::isSuspended()
{
    return QxtGlobalShortcutDispatcher::instance().suspended > 0;
}

#include "qxtglobalshortcut.moc"
