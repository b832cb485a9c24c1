#pragma once
#include <QObject>
#include <functional>

class DockIconList;
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

    // The bar's rows, and how an icon is added to the bar.
    using Add = std::function<void(const QString &ico, const QString &name, const QString &cl, const QString &path)>;
    void setIcons(DockIconList *icons, Add add);

    // Every mounted removable volume gets an icon, after the old ones went.
    void rescanIcons();
    // An icon for the volume mounted at root, unless one is there already.
    void addDiskIcon(const QString &root, const QString &label);
    // Removable-disk icons are made while a disk is plugged in; none survive a restart.
    void clearIcons();

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
    // The disk icons were taken off the rows (or there were none).
    void iconsCleared();

private:
    DockIconList *m_icons = nullptr;
    Add m_add;
    uDisk *m_watcher = nullptr;
    QTimer *m_settle = nullptr;
};
