#pragma once
#include <QKeySequence>
#include <QObject>

// One system-wide hot key. It registers at once; a key the system refuses is
// logged, and the object stays and never fires.
class QxtGlobalShortcut : public QObject
{
    Q_OBJECT
public:
    explicit QxtGlobalShortcut(QObject *parent = nullptr);
    QxtGlobalShortcut(const QKeySequence &shortcut, QObject *parent = nullptr);
    ~QxtGlobalShortcut() override;

    QKeySequence shortcut() const { return m_shortcut; }
    bool setShortcut(const QKeySequence &shortcut);
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled) { m_enabled = enabled; }

signals:
    void activated();

private:
    QKeySequence m_shortcut;
    bool m_enabled = true;
};
