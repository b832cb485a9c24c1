#pragma once
#include <QObject>

class QTimer;
class uDisk;

// The dock's removable-disk watching: the watcher's arrival and removal
// reports come in bursts, so each one (re)starts a one-second wait and one
// rescan follows the last of them.
class RemovableDisks : public QObject
{
    Q_OBJECT
public:
    explicit RemovableDisks(QObject *parent = nullptr);
    ~RemovableDisks() override;

    uDisk *watcher() const { return m_watcher; }
    QTimer *settleTimer() const { return m_settle; }

public slots:
    void diskCame(const QString &root);
    void diskWent();

signals:
    // A disk was plugged in (once per report, before the rescan).
    void arrived(const QString &root);
    // The reports have settled: the removable volumes are to be looked at again.
    void rescan();

private:
    uDisk *m_watcher = nullptr;
    QTimer *m_settle = nullptr;
};
