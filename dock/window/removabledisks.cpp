#include "removabledisks.h"

#include "udisk.h"

#include <QTimer>

RemovableDisks::RemovableDisks(QObject *parent) : QObject(parent)
{
    m_settle = new QTimer(this);
    m_settle->setSingleShot(true);
    m_settle->setInterval(1000);
    connect(m_settle, &QTimer::timeout, this, &RemovableDisks::rescan);
    m_watcher = new uDisk;
    connect(m_watcher, &uDisk::sigUDiskCome, this, &RemovableDisks::diskCame);
    connect(m_watcher, &uDisk::sigUDiskRemove, this, &RemovableDisks::diskWent);
}

RemovableDisks::~RemovableDisks()
{
    delete m_watcher;
}

void RemovableDisks::diskCame(const QString &root)
{
    m_settle->start();
    emit arrived(root);
}

void RemovableDisks::diskWent()
{
    m_settle->start();
}
