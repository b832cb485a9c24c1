// On-demand benchmark of the updater's download (not a test):
//   build/tests/bench_download [--mb 100,1024] [--gzip] [--folder DIR]
//   build/tests/bench_download --serve     (only the server, for curl)
// A server in a child process on 127.0.0.1 offers installers of the sizes
// asked for (made as they are sent, so the server holds none of them); the
// updater downloads each into a temporary folder. For each size it prints
// the time from the press of "开始更新" to the opener's call and the peak of
// the process's resident memory above what it held before (VmHWM, reset
// before each download). --gzip sends the installer gzip-compressed.
#include "dock/tools/formupload.h"
#include "fakedockservices.h"
#include "testenv.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QNetworkProxy>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <arpa/inet.h>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <netinet/in.h>
#include <string>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

namespace {

bool sendAll(int fd, const char *data, size_t size)
{
    while (size > 0) {
        const ssize_t n = ::send(fd, data, size, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}

// One megabyte of zeros as a deflate block that owes nothing to what came
// before, so that it can be repeated.
std::string zeroBlock()
{
    std::string mb(1 << 20, '\0'), out(2 << 20, '\0');
    z_stream z {};
    deflateInit2(&z, 6, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    z.next_in = reinterpret_cast<Bytef *>(&mb[0]);
    z.avail_in = uInt(mb.size());
    z.next_out = reinterpret_cast<Bytef *>(&out[0]);
    z.avail_out = uInt(out.size());
    deflate(&z, Z_FULL_FLUSH);
    out.resize(out.size() - z.avail_out);
    deflateEnd(&z);
    return out;
}

void answer(int fd, int port)
{
    std::string request;
    char buf[4096];
    while (request.find("\r\n\r\n") == std::string::npos) {
        const ssize_t n = ::recv(fd, buf, sizeof buf, 0);
        if (n <= 0)
            return;
        request.append(buf, size_t(n));
    }
    const size_t from = request.find(' ') + 1;
    const std::string path = request.substr(from, request.find(' ', from) - from);
    int mb = 0;
    char kind[16] = {};
    if (std::sscanf(path.c_str(), "/update-%15[a-z]-%d.html", kind, &mb) == 2) {
        const std::string body = "<Contents><item><VERSION>1810</VERSION><NUMBER>1.9</NUMBER><DURL>http://127.0.0.1:"
            + std::to_string(port) + "/" + kind + "-" + std::to_string(mb)
            + "/setup.exe</DURL><content>bench</content></item></Contents>";
        const std::string head = "HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\nContent-Length: "
            + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n";
        sendAll(fd, head.data(), head.size()) && sendAll(fd, body.data(), body.size());
        return;
    }
    if (std::sscanf(path.c_str(), "/%15[a-z]-%d/setup.exe", kind, &mb) != 2) {
        const char notFound[] = "HTTP/1.1 404 X\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
        sendAll(fd, notFound, sizeof notFound - 1);
        return;
    }
    if (std::strcmp(kind, "gzip") == 0) {
        static const std::string block = zeroBlock();
        const std::string head = "HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\n"
                                 "Content-Encoding: gzip\r\nConnection: close\r\n\r\n";
        if (!sendAll(fd, head.data(), head.size()) || !sendAll(fd, "\x1f\x8b\x08\0\0\0\0\0\0\x03", 10))
            return;
        uLong crc = crc32(0, nullptr, 0);
        static const std::string zeros(1 << 20, '\0');
        const uLong crcMb = crc32(0, reinterpret_cast<const Bytef *>(zeros.data()), uInt(zeros.size()));
        for (int i = 0; i < mb; ++i) {
            if (!sendAll(fd, block.data(), block.size()))
                return;
            crc = crc32_combine(crc, crcMb, 1 << 20);
        }
        std::string tail("\x03\0", 2);
        const quint32 size = quint32(quint64(mb) << 20);
        for (quint32 v : { quint32(crc), size })
            for (int b = 0; b < 4; ++b)
                tail += char((v >> (8 * b)) & 0xff);
        sendAll(fd, tail.data(), tail.size());
        return;
    }
    const std::string head = "HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\nContent-Length: "
        + std::to_string(qint64(mb) << 20) + "\r\nConnection: close\r\n\r\n";
    if (!sendAll(fd, head.data(), head.size()))
        return;
    static std::string chunk;
    if (chunk.empty())
        for (int i = 0; i < (1 << 20); ++i)
            chunk += char('a' + i % 26);
    for (int i = 0; i < mb; ++i)
        if (!sendAll(fd, chunk.data(), chunk.size()))
            return;
}

// The server, in a child that ends with its parent. Returns its port.
int startServer(pid_t *child)
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a {};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    if (s < 0 || ::bind(s, reinterpret_cast<sockaddr *>(&a), sizeof a) != 0 || ::listen(s, 8) != 0
        || ::getsockname(s, reinterpret_cast<sockaddr *>(&a), &len) != 0) {
        std::perror("server");
        std::exit(1);
    }
    const int port = ntohs(a.sin_port);
    const pid_t parent = ::getpid();
    *child = ::fork();
    if (*child == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != parent)
            ::_exit(0);
        for (;;) {
            const int c = ::accept(s, nullptr, nullptr);
            if (c < 0)
                continue;
            answer(c, port);
            ::shutdown(c, SHUT_WR);
            ::close(c);
        }
    }
    ::close(s);
    return port;
}

long statusKb(const char *field)
{
    QFile f(QStringLiteral("/proc/self/status"));
    f.open(QIODevice::ReadOnly);
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(int(std::strlen(field))).trimmed().split(' ').value(0).toLong();
    return -1;
}

void resetPeak()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

void waitFor(const std::function<bool()> &done)
{
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    poll.start(1);
    loop.exec();
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList sizes { QStringLiteral("100"), QStringLiteral("1024") };
    bool gzip = false;
    bool serveOnly = false;
    QString folderArg;
    for (int i = 1; i < argc; ++i) {
        const QByteArray a(argv[i]);
        if (a == "--mb" && i + 1 < argc)
            sizes = QString::fromLatin1(argv[++i]).split(QLatin1Char(','));
        else if (a == "--gzip")
            gzip = true;
        else if (a == "--serve")
            serveOnly = true;
        else if (a == "--folder" && i + 1 < argc)
            folderArg = QString::fromLocal8Bit(argv[++i]);
    }
    pid_t child = 0;
    const int port = startServer(&child);
    if (serveOnly) {
        std::printf("serving on http://127.0.0.1:%d/plain-<MB>/setup.exe and /gzip-<MB>/setup.exe\n", port);
        std::fflush(stdout);
        ::waitpid(child, nullptr, 0);
        return 0;
    }
    static TestEnv env;
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
    FakeOpener opener;
    QTemporaryDir tmp(folderArg.isEmpty() ? QDir::tempPath() + "/bench_download-XXXXXX"
                                          : folderArg + "/bench_download-XXXXXX");

    std::printf("%-6s %-5s %9s %9s %12s %12s\n", "MB", "body", "seconds", "MB/s", "peak+ (MB)", "file (MB)");
    for (const QString &size : sizes) {
        const int mb = size.toInt();
        FormUpload w;
        w.setDownloadFolder(tmp.path());
        w.setUpdatePage(QUrl(QStringLiteral("http://127.0.0.1:%1/update-%2-%3.html")
                                 .arg(port)
                                 .arg(gzip ? "gzip" : "plain")
                                 .arg(mb)));
        w.checkUpdate();
        waitFor([&] { return !w.isChecking(); });
        opener.urls.clear();

        resetPeak();
        const long before = statusKb("VmRSS:");
        QElapsedTimer t;
        t.start();
        w.findChild<QPushButton *>(QStringLiteral("pushButtonStar"))->click();
        waitFor([&] { return !w.isDownloading(); });
        const double seconds = t.elapsed() / 1000.0;
        const long peak = statusKb("VmHWM:");
        const qint64 written = QFileInfo(w.downloadTarget()).size();
        std::printf("%-6d %-5s %9.2f %9.0f %12.1f %12.1f%s\n", mb, gzip ? "gzip" : "plain", seconds,
                    mb / qMax(seconds, 0.001), (peak - before) / 1024.0, written / 1048576.0,
                    opener.urls.size() == 1 ? "" : "  (not handed to the opener)");
        std::fflush(stdout);
        QFile::remove(w.downloadTarget());
    }
    ::kill(child, SIGTERM);
    ::waitpid(child, nullptr, 0);
    return 0;
}
