#include "common/safefile.h"
#include "fulldisk.h"
#include "testenv.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// Runs f as an unprivileged user when we are root (in a child process), else
// as it is; its result, or -1 when the child did not end normally.
static int asAnotherUser(const std::function<int()> &f)
{
    if (::geteuid() != 0)
        return f();
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(3);
        ::_exit(f());
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

static QStringList entries(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

class TestSafeFile : public QObject
{
    Q_OBJECT
private slots:
    void writeReplacesWholeOrFails()
    {
        QTemporaryDir d;
        const QString p = d.path() + "/a.xml";
        QVERIFY(SafeFile::write(p, "first version, long"));
        QVERIFY(SafeFile::write(p, "second"));
        QCOMPARE(TestEnv::readFile(p), QByteArray("second"));
        QVERIFY(!SafeFile::write(d.path() + "/no/such/a.xml", "x"));
    }

    void fullDiskKeepsTheOldFileAndSaysSoOncePerStreak()
    {
        QTemporaryDir d;
        const QString p = d.path() + "/Zorvane.xml";
        const QByteArray old = "<Zorvane>old, complete</Zorvane>";
        QVERIFY(SafeFile::write(p, old));
        QStringList reported;
        SafeFile::setFailureReporter([&](const QString &path) { reported << path; });
        {
            // Not a byte fits, and then only part of the file.
            for (qint64 room : { qint64(0), qint64(4096) }) {
                FullDisk full(room);
                QVERIFY(!SafeFile::write(p, QByteArray(64 * 1024, 'n')));
                QCOMPARE(TestEnv::readFile(p), old);
                QCOMPARE(entries(d.path()), QStringList({ "Zorvane.xml" })); // no temporary left
            }
        }
        QCOMPARE(reported, QStringList({ p })); // two failures, one report
        // Another file has its own streak.
        {
            FullDisk full;
            QVERIFY(!SafeFile::write(d.path() + "/Mirelka.xml", "n"));
        }
        QCOMPARE(reported.size(), 2);
        // Room again: the data still in memory is saved, and a later failure is news.
        QVERIFY(SafeFile::write(p, "new"));
        QCOMPARE(TestEnv::readFile(p), QByteArray("new"));
        {
            FullDisk full;
            QVERIFY(!SafeFile::write(p, QByteArray(100, 'n')));
        }
        QCOMPARE(reported.size(), 3);
        SafeFile::setFailureReporter(nullptr);
    }

    void whatStandsAtThePathDecidesTheWrite()
    {
        QTemporaryDir d;
        // A link, even to a file that looks like ours, is replaced by a file
        // of ours: what it points to is neither written nor kept.
        QVERIFY(QDir().mkpath(d.path() + "/elsewhere"));
        const QString real = d.path() + "/elsewhere/a.xml";
        QVERIFY(SafeFile::write(real, "theirs"));
        QVERIFY(QFile::link(real, d.path() + "/a.xml"));
        QCOMPARE(SafeFile::keepBad(d.path() + "/a.xml"), QString());
        QVERIFY(SafeFile::write(d.path() + "/a.xml", "ours"));
        QCOMPARE(TestEnv::readFile(real), QByteArray("theirs"));
        QVERIFY(!QFileInfo(d.path() + "/a.xml").isSymLink());
        QCOMPARE(TestEnv::readFile(d.path() + "/a.xml"), QByteArray("ours"));
        QVERIFY(!QFile::exists(d.path() + "/a.xml.bad"));
        // A dangling link likewise.
        QVERIFY(QFile::link(d.path() + "/nowhere", d.path() + "/d.xml"));
        QVERIFY(SafeFile::write(d.path() + "/d.xml", "ours"));
        QVERIFY(!QFileInfo(d.path() + "/d.xml").isSymLink());
        QVERIFY(!QFile::exists(d.path() + "/nowhere"));

        // A link to something that is not a file is replaced, not written through.
        const QString pipe = d.path() + "/pipe";
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        QVERIFY(QFile::link(pipe, d.path() + "/b.xml"));
        QVERIFY(SafeFile::write(d.path() + "/b.xml", "data"));
        QVERIFY(!QFileInfo(d.path() + "/b.xml").isSymLink());
        QCOMPARE(TestEnv::readFile(d.path() + "/b.xml"), QByteArray("data"));
        struct stat st;
        QCOMPARE(::lstat(QFile::encodeName(pipe).constData(), &st), 0);
        QVERIFY(S_ISFIFO(st.st_mode));

        // A folder in the way: a failure, and nothing changed.
        QVERIFY(QDir().mkpath(d.path() + "/c.xml/inside"));
        QVERIFY(!SafeFile::write(d.path() + "/c.xml", "x"));
        QVERIFY(QFileInfo(d.path() + "/c.xml/inside").isDir());

        // The file keeps its mode.
        const QString privateFile = d.path() + "/private.xml";
        QVERIFY(SafeFile::write(privateFile, "1"));
        QVERIFY(QFile::setPermissions(privateFile, QFile::ReadOwner | QFile::WriteOwner));
        QVERIFY(SafeFile::write(privateFile, "2"));
        QCOMPARE(QFile::permissions(privateFile) & 0x0777, QFile::ReadUser | QFile::WriteUser);

        // A file we may write but not read may hold what we could not read:
        // it is left as it is. Root reads every file, so the case is tried
        // as another user.
        QTemporaryDir shared;
        QVERIFY(QFile::setPermissions(shared.path(), QFileDevice::Permissions(0x7777)));
        const QString writeOnly = shared.path() + "/wo.xml";
        const int result = asAnotherUser([&] {
            if (!SafeFile::write(writeOnly, "three notes") || !QFile::setPermissions(writeOnly, QFile::WriteOwner))
                return 2;
            const bool replaced = SafeFile::write(writeOnly, "one empty note");
            QFile::setPermissions(writeOnly, QFile::ReadOwner | QFile::WriteOwner);
            return replaced ? 1 : 0;
        });
        QCOMPARE(result, 0);
        QCOMPARE(TestEnv::readFile(writeOnly), QByteArray("three notes"));
    }

    // A file the user made read-only is left as it is, and the failed save
    // is reported, not passed over. Root may write any file, so the case is
    // tried as another user.
    void readOnlyFilesAreLeftAsTheyAre()
    {
        QTemporaryDir shared;
        QVERIFY(QFile::setPermissions(shared.path(), QFileDevice::Permissions(0x7777)));
        for (const char *name : { "Zorvane.xml", "config.ini" }) {
            const QString path = shared.path() + "/" + name;
            const int result = asAnotherUser([&] {
                QStringList reported;
                SafeFile::setFailureReporter([&](const QString &p) { reported << p; });
                if (!SafeFile::write(path, "as the user left it") || ::chmod(QFile::encodeName(path).constData(), 0444))
                    return 2;
                const bool replaced = SafeFile::write(path, "a later save");
                SafeFile::setFailureReporter(nullptr);
                if (replaced)
                    return 1;
                return reported == QStringList({ path }) ? 0 : 3;
            });
            QCOMPARE(result, 0);
            QCOMPARE(TestEnv::readFile(path), QByteArray("as the user left it"));
            QCOMPARE(entries(shared.path()).filter(name), QStringList({ name })); // no temporary left
        }
    }

    void leftoversOfCutSavesGoAtStart()
    {
        QTemporaryDir d;
        const QStringList keep = { "Zorvane.xml", "Zorvane.xml.bad", "Zorvane.xml.bad.1", "config.ini.lock",
                                   "config.ini.backup", "ico1234.xml" };
        for (const QString &n : keep)
            TestEnv::writeFile(d.path() + "/" + n);
        TestEnv::writeFile(d.path() + "/Zorvane.xml.zvsave-Ab12Cd");
        TestEnv::writeFile(d.path() + "/ico1234.xml.zvsave-000000");
        QCOMPARE(SafeFile::removeLeftovers(d.path()), 2);
        QCOMPARE(entries(d.path()), [&] { QStringList s = keep; s.sort(); return s; }());
        QCOMPARE(SafeFile::removeLeftovers(d.path() + "/none"), 0);

        // A folder that is a link leads nowhere: what it points to stays,
        // and so does a leftover's name that is a link, and its target.
        QTemporaryDir other;
        const QString theirs = TestEnv::writeFile(other.path() + "/report.doc.zvsave-Ab12Cd", "theirs");
        QVERIFY(QFile::link(other.path(), d.path() + "/icon"));
        QCOMPARE(SafeFile::removeLeftovers(d.path() + "/icon"), 0);
        QVERIFY(QFile::link(theirs, d.path() + "/x.png.zvsave-Zz99Yy"));
        QVERIFY(QDir().mkpath(d.path() + "/y.xml.zvsave-000001"));
        QCOMPARE(SafeFile::removeLeftovers(d.path()), 0);
        QCOMPARE(TestEnv::readFile(theirs), QByteArray("theirs"));
        QVERIFY(QFileInfo(d.path() + "/y.xml.zvsave-000001").isDir());
    }

    void badFilesAreKeptAndNeverOverwritten()
    {
        QTemporaryDir d;
        const QString p = d.path() + "/a.xml";
        QCOMPARE(SafeFile::keepBad(p), QString()); // nothing to keep
        QVERIFY(SafeFile::write(p, "broken 1"));
        QCOMPARE(SafeFile::keepBad(p), p + ".bad");
        QVERIFY(SafeFile::write(p, "broken 2"));
        QCOMPARE(SafeFile::keepBad(p), p + ".bad.1");
        QCOMPARE(TestEnv::readFile(p + ".bad"), QByteArray("broken 1"));
        QCOMPARE(TestEnv::readFile(p + ".bad.1"), QByteArray("broken 2"));
        // The same file found broken again (at the next start) is kept once.
        QCOMPARE(SafeFile::keepBad(p), p + ".bad.1");
        QVERIFY(!QFile::exists(p + ".bad.2"));
        // A link planted under the next name is not written through.
        QVERIFY(SafeFile::write(p, "broken 3"));
        const QString target = d.path() + "/target";
        QVERIFY(QFile::link(target, p + ".bad.2"));
        QCOMPARE(SafeFile::keepBad(p), p + ".bad.3");
        QVERIFY(!QFile::exists(target));
        QCOMPARE(TestEnv::readFile(p + ".bad.3"), QByteArray("broken 3"));
        // A pipe holds nothing to keep, and copying it would never end.
        const QString pipe = d.path() + "/pipe.xml";
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        QCOMPARE(SafeFile::keepBad(pipe), QString());
    }

    // A file its owner would cut or replace, where its copy cannot be made,
    // stays as it is for the run: no save reaches it, and none is reported
    // as a failure, since the user hears of it once, as a file left alone.
    void aFileThatCannotBeKeptIsLeftAlone()
    {
        QTemporaryDir d;
        const QString p = d.path() + "/Mirelka.xml";
        const QByteArray whole(100 * 1024, 'w');
        QVERIFY(SafeFile::write(p, whole));
        SafeFile::takeKeptFiles();
        QStringList failures;
        int reports = 0;
        SafeFile::setFailureReporter([&](const QString &path) { failures << path; });
        SafeFile::setKeptReporter([&] { ++reports; });
        const auto reset = qScopeGuard([] {
            SafeFile::setFailureReporter(nullptr);
            SafeFile::setKeptReporter(nullptr);
        });
        {
            FullDisk full(48 * 1024);
            QCOMPARE(SafeFile::keepBad(p, SafeFile::Why::Cut), QString());
            QVERIFY(!QFile::exists(p + ".bad"));
            QVERIFY(SafeFile::isLeftAlone(p));
            QVERIFY(!SafeFile::write(p, "cut"));
        }
        QVERIFY(!SafeFile::write(p, "cut")); // room again, and still the file not kept
        QCOMPARE(SafeFile::keepBad(p, SafeFile::Why::Cut), QString()); // tried once in a run
        QCOMPARE(TestEnv::readFile(p), whole);
        QCOMPARE(entries(d.path()), QStringList({ "Mirelka.xml" }));
        QVERIFY(failures.isEmpty());
        QCOMPARE(reports, 1);
        const QList<SafeFile::KeptFile> told = SafeFile::takeKeptFiles();
        QCOMPARE(told.size(), 1);
        QCOMPARE(told.first().path, p);
        QVERIFY(told.first().keptAs.isEmpty());
        QVERIFY(!told.first().error.isEmpty());
        QVERIFY(SafeFile::takeKeptFiles().isEmpty());
        // Another file in its place (the user's own) is no longer the one
        // left alone.
        QVERIFY(QFile::remove(p));
        TestEnv::writeFile(p, "the user's");
        QVERIFY(!SafeFile::isLeftAlone(p));
        QVERIFY(SafeFile::write(p, "ours"));
    }

    void keptFilesAreToldOnceInAFewWords()
    {
        QTemporaryDir d;
        SafeFile::takeKeptFiles();
        const QString ini = TestEnv::writeFile(d.path() + "/config.ini", "[System]\n\x01");
        const QString xml = TestEnv::writeFile(d.path() + "/Zorvane.xml", "<Zorvane>");
        QCOMPARE(SafeFile::keepBad(ini), ini + ".bad");
        QCOMPARE(SafeFile::keepBad(ini), ini + ".bad"); // the same file again: one copy, told once
        QList<SafeFile::KeptFile> told = SafeFile::takeKeptFiles();
        QCOMPARE(told.size(), 1);
        QCOMPARE(told.first().keptAs, ini + ".bad");
        QCOMPARE(SafeFile::keptNotice(told), QString("config.ini 已损坏，原文件已另存为 config.ini.bad！"));

        QCOMPARE(SafeFile::keepBad(xml, SafeFile::Why::Cut), xml + ".bad");
        QCOMPARE(SafeFile::keptNotice(SafeFile::takeKeptFiles()),
                 QString("Zorvane.xml 超出上限，原文件已另存为 Zorvane.xml.bad！"));
        QCOMPARE(SafeFile::keptNotice({}), QString());
        const QList<SafeFile::KeptFile> several = {
            { ini, ini + ".bad", SafeFile::Why::Damaged, {} },
            { xml, xml + ".bad", SafeFile::Why::Damaged, {} },
            { d.path() + "/Mirelka.xml", {}, SafeFile::Why::Cut, "No space left on device" },
        };
        QCOMPARE(SafeFile::keptNotice(several),
                 QString("config.ini、Zorvane.xml 已损坏，原文件已另存为 .bad 文件！ "
                         "Mirelka.xml 超出上限且无法另存，本次不保存！"));
    }
};

ZV_TEST_MAIN(TestSafeFile)
#include "tst_safefile.moc"
