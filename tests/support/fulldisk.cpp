#include "fulldisk.h"

#include <csignal>
#include <sys/resource.h>

FullDisk::FullDisk(qint64 bytes)
{
    // A write past the limit raises SIGXFSZ, which would end the test.
    std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit r;
    getrlimit(RLIMIT_FSIZE, &r);
    m_soft = r.rlim_cur;
    r.rlim_cur = rlim_t(bytes);
    setrlimit(RLIMIT_FSIZE, &r);
}

FullDisk::~FullDisk()
{
    struct rlimit r;
    getrlimit(RLIMIT_FSIZE, &r);
    r.rlim_cur = rlim_t(m_soft);
    setrlimit(RLIMIT_FSIZE, &r);
}
