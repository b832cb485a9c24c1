#pragma once
#include "platform/volumes.h"

#include <QList>
#include <QWidget>

// Watches removable volumes coming and going. Every change of the mount
// table is compared with the removable volumes seen before it: a change that
// brought new ones is one arrival report (carrying the first new mount
// point), a change that took some away one removal report. Changes of other
// mounts report nothing. Volumes present when the watcher starts are not
// arrivals.
class uDisk : public QWidget
{
    Q_OBJECT
public:
    explicit uDisk(QWidget *parent = nullptr);

    QList<platform::Volume> known() const { return m_known; }

public slots:
    // Looks at the mount table again; the watcher calls it on every change.
    void check();

signals:
    void sigUDiskCome(QString root);
    void sigUDiskRemove();

private:
    QList<platform::Volume> m_known;
};
