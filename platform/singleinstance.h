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

    enum class Result {
        Acquired, // this process holds the key (or already held it)
        Taken,    // another live copy holds it
        Failed,   // no lock could be taken at all: error() says why
    };
    Result acquire();
    // True when this process now holds the key (or already held it).
    bool tryAcquire() { return acquire() == Result::Acquired; }
    // Why the last acquire() failed, in a sentence for the user.
    QString error() const { return m_error; }
    // Gives the key up, e.g. before starting our own replacement.
    void release();
    bool isHeld() const { return m_fd >= 0; }
    QString lockPath() const { return m_path; }

private:
    QString m_key;
    QString m_path;
    QString m_error;
    int m_fd = -1;
};

// What a program's entry does with the result: 0 to go on, else the exit code.
// A copy that finds another running leaves quietly (0); a lock that cannot be
// taken is said on stderr and ends the start with 1.
int startOrExitCode(SingleInstance &instance, const char *program, bool *goOn);

} // namespace platform
