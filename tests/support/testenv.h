#pragma once
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A private home for one test run: XDG config, runtime, data and cache folders
// in a temporary folder, set before QApplication exists. No test reads or
// writes the user's real files or sockets.
class TestEnv
{
public:
    TestEnv();
    QString root() const { return m_dir.path(); }
    QString configHome() const { return m_dir.path() + "/config"; }
    QString runtimeDir() const { return m_dir.path() + "/runtime"; }
    // Empties the config home (a first start).
    void clearConfig() const;
    // Folder of the built programs (Zorvane, Mirelka, Tandrel).
    static QString binDir();
    // Writes a file (and its folder) for a test; returns its path.
    static QString writeFile(const QString &path, const QByteArray &data = "x", bool executable = false);
    // A file's bytes; empty when it cannot be read.
    static QByteArray readFile(const QString &path);
    // The most memory this process has held so far, in KiB: a check that
    // something was never held whole compares it before and after. Always 0
    // in a build with the address sanitizer, where it cannot be told.
    static long peakMemoryKb();
    // Starts the peak over from what the process holds now, so that what an
    // earlier test held hides nothing; false where the system cannot.
    static bool resetPeakMemory();

private:
    QTemporaryDir m_dir;
};

// An environment variable set for a scope: what was there before (or its
// absence) comes back when the scope ends, also when a check failed on the way.
class ScopedEnv
{
public:
    ScopedEnv(const char *name, const QByteArray &value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv &) = delete;
    ScopedEnv &operator=(const ScopedEnv &) = delete;
    // Another value within the same scope.
    void set(const QByteArray &value);

private:
    QByteArray m_name;
    bool m_wasSet;
    QByteArray m_old;
};

// Put TestEnv in place before main() builds the application object.
#define ZV_TEST_MAIN(TestObject)                                                                   \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        static TestEnv zvEnv;                                                                      \
        QApplication app(argc, argv);                                                              \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                   \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }
