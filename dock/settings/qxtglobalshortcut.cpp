#include "qxtglobalshortcut.h"

QxtGlobalShortcut::QxtGlobalShortcut(QObject *parent) : QObject(parent) {}

QxtGlobalShortcut::QxtGlobalShortcut(const QKeySequence &shortcut, QObject *parent) : QObject(parent)
{
    setShortcut(shortcut);
}

QxtGlobalShortcut::~QxtGlobalShortcut() = default;

bool QxtGlobalShortcut::setShortcut(const QKeySequence &shortcut)
{
    m_shortcut = shortcut;
    return false;
}
