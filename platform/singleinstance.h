#pragma once
#include <QString>

namespace platform {

// One running copy per user and key. The lock is an flock() on a file in the
// runtime folder, so the kernel drops it when the holder exits or is killed:
// a crashed copy never blocks the next start.
class SingleInstance
{
public:
    explicit SingleInstance(const QString &key);
    ~SingleInstance();
    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    // True when this process now holds the key (or already held it).
    bool tryAcquire();
    // Gives the key up, e.g. before starting our own replacement.
    void release();
    bool isHeld() const { return m_fd >= 0; }
    QString lockPath() const { return m_path; }

private:
    QString m_path;
    int m_fd = -1;
};

} // namespace platform
