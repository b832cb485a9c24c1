#pragma once
#include <QtGlobal>

// A disk that takes no more than `bytes` of any file this process writes,
// for as long as the object lives: writes beyond fail as on a full disk
// (through the file-size limit, so it needs no mount and no privileges).
class FullDisk
{
public:
    explicit FullDisk(qint64 bytes = 0);
    ~FullDisk();
    FullDisk(const FullDisk &) = delete;
    FullDisk &operator=(const FullDisk &) = delete;

private:
    quint64 m_soft = 0;
};
