#include "dock/tools/formupload.h"
#include "dock/tools/installerfile.h"
#include "dock/tools/updateanswer.h"
#include "common/plaintext.h"
#include "fakedockservices.h"
#include "localhttp.h"
#include "testenv.h"

#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QNetworkProxy>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray item(int version, const QByteArray &number = "1.9", const QByteArray &durl = "http://h/setup.exe")
{
    return "<item><VERSION>" + QByteArray::number(version) + "</VERSION><NUMBER>" + number + "</NUMBER><DURL>"
        + durl + "</DURL><content>新功能</content></item>";
}

QByteArray answer(const QByteArray &items)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Contents>" + items + "</Contents>";
}

const QByteArray installer = QByteArray(200 * 1024, 'z');

// The updater pointed at a local server, saving into a temporary folder,
// with short waits.
struct Updater
{
    LocalHttp http;
    FakeOpener opener;
    QTemporaryDir folder;
    FormUpload w;

    Updater()
    {
        w.setUpdatePage(http.url("/update.html"));
        w.setDownloadFolder(folder.path());
        w.setTimeouts(400, 400);
    }
    void serve(const QByteArray &body, int status = 200)
    {
        http.route("/update.html", { LocalHttp::Full, status, body });
    }
    // Answers that a newer version lies at path.
    void offer(const QString &path, const LocalHttp::Route &r)
    {
        serve(answer(item(1810, "1.9", http.url(path + "?from=dock").toString().toUtf8())));
        http.route(path, r);
        w.checkUpdate();
        QTRY_VERIFY(!w.isChecking());
    }
    QString status() { return w.findChild<QLabel *>("label_2")->text(); }
    QString progress() { return w.findChild<QLabel *>("label_4")->text(); }
    QStringList files() { return QDir(folder.path()).entryList(QDir::Files); }
    QStringList folders() { return QDir(folder.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot); }
    void start() { w.findChild<QPushButton *>("pushButtonStar")->click(); }
    void close() { w.findChild<QPushButton *>("closeButton")->click(); }
};

} // namespace

class TestUpload : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy); }

    void answerParsing_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("parsed");
        QTest::addColumn<int>("newerCount");
        QTest::addColumn<bool>("newer");
        QTest::addColumn<QString>("number");
        QTest::newRow("same version") << answer(item(1809)) << true << 0 << false << "1.9";
        QTest::newRow("newer") << answer(item(1810, "1.8.10")) << true << 1 << true << "1.8.10";
        QTest::newRow("two newer, last wins") << answer(item(1810, "a") + item(1811, "b")) << true << 2 << true << "b";
        QTest::newRow("newer then older") << answer(item(1810, "a") + item(1700, "b")) << true << 1 << false << "b";
        QTest::newRow("any order") << answer("<i><DURL>x</DURL><NUMBER>2</NUMBER><VERSION>1900</VERSION></i>")
                                   << true << 1 << true << "2";
        QTest::newRow("not a number") << answer(item(0).replace("0</VERSION>", "new</VERSION>")) << true << 0
                                      << false << "1.9";
        QTest::newRow("other root still read") << QByteArray("<History>" + item(1810) + "</History>") << true << 1
                                               << true << "1.9";
        QTest::newRow("zero byte ends it") << answer(item(1810)) + QByteArray(1, '\0') + "garbage" << true << 1
                                           << true << "1.9";
        QTest::newRow("cut by a zero byte") << QByteArray("<Contents>\0<item/></Contents>", 29) << false << 0
                                            << false << QString();
        QTest::newRow("utf-8") << answer(item(1810, "版本二")) << true << 1 << true << "版本二";
        QTest::newRow("error page") << QByteArray("<html><body>502 Bad Gateway") << false << 0 << false
                                    << QString();
        QTest::newRow("empty") << QByteArray() << false << 0 << false << QString();
        QTest::newRow("nested past any answer") << "<Contents>" + QByteArray("<a>").repeated(30000) << false << 0
                                                << false << QString();
    }
    void answerParsing()
    {
        QFETCH(QByteArray, body);
        QFETCH(bool, parsed);
        QFETCH(int, newerCount);
        QFETCH(bool, newer);
        QFETCH(QString, number);
        const UpdateAnswer a = UpdateAnswer::parse(body, 1809);
        QCOMPARE(a.parsed, parsed);
        QCOMPARE(a.newerCount(), newerCount);
        QCOMPARE(a.newer(), newer);
        QCOMPARE(a.number.value_or(QString()), number);
    }

    void installerFileName_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("file");
        QTest::newRow("query dropped") << "http://h/d/setup.exe?v=2&x=1" << "setup.exe";
        QTest::newRow("decoded") << "https://h/d/Zorvane%20Setup.exe" << "Zorvane Setup.exe";
        QTest::newRow("no name") << "http://h/download/" << "ZorvaneSetup";
        QTest::newRow("no way out of the folder") << "http://h/a%2F..%2F..%2Fb.exe" << "b.exe";
        QTest::newRow("nor the other way") << "http://h/a%5C..%5Cc.exe" << "c.exe";
        QTest::newRow("dot dot") << "http://h/%2E%2E" << "ZorvaneSetup";
        QTest::newRow("hidden") << "http://h/..bashrc" << "bashrc";
        QTest::newRow("control characters") << "http://h/a%0A%00b%1B.exe" << "ab.exe";
        QTest::newRow("long, keeps its end") << "http://h/" + QString(300, 'x') + ".exe" << QString(196, 'x') + ".exe";
    }
    void installerFileName()
    {
        QFETCH(QString, url);
        QFETCH(QString, file);
        QCOMPARE(InstallerFile::nameFor(QUrl(url)), file);
    }

    // The file is made new in a folder of its own: nothing that stands at
    // its path, a planted link above all, is opened or written through.
    void installerFileIsMadeNew()
    {
        QTemporaryDir parent;
        const QString mine = TestEnv::writeFile(parent.path() + "/mine.txt", "the user's own");
        QString folder;
        {
            InstallerFile f(parent.path());
            folder = f.folder();
            QVERIFY(!folder.isEmpty());
            QCOMPARE(QFileInfo(folder).dir().path(), parent.path());
            struct stat st {};
            QCOMPARE(::lstat(QFile::encodeName(folder).constData(), &st), 0);
            QCOMPARE(int(st.st_mode & 0777), 0700);
            QCOMPARE(QFile::link(mine, folder + "/setup.exe"), true);
            QString why;
            QVERIFY(!f.create("setup.exe", &why));
            QVERIFY(!why.isEmpty());
            QCOMPARE(TestEnv::readFile(mine), QByteArray("the user's own"));
        }
        QVERIFY(!QFileInfo::exists(folder)); // an unfinished one takes its folder along
        {
            InstallerFile f(parent.path());
            QString why;
            QVERIFY(f.create("setup.exe", &why));
            QVERIFY(f.write("installer", &why));
            QVERIFY(f.finish(&why));
            folder = f.folder();
        }
        QCOMPARE(TestEnv::readFile(folder + "/setup.exe"), QByteArray("installer"));
        // Earlier folders go; a link that looks like one, and what it leads to, stay.
        QVERIFY(QDir(parent.path()).mkdir("elsewhere"));
        TestEnv::writeFile(parent.path() + "/elsewhere/keep", "k");
        QVERIFY(QFile::link(parent.path() + "/elsewhere", parent.path() + "/installer-link"));
        QCOMPARE(InstallerFile::removeEarlier(parent.path()), 1);
        QVERIFY(!QFileInfo::exists(folder));
        QCOMPARE(TestEnv::readFile(parent.path() + "/elsewhere/keep"), QByteArray("k"));
        QCOMPARE(TestEnv::readFile(mine), QByteArray("the user's own"));
    }

    // The automatic check announces each newer version and fills the page;
    // the user's check says how it went and announces nothing.
    void checks()
    {
        Updater u;
        QSignalSpy newer(&u.w, &FormUpload::updates);
        QVERIFY(!u.status().contains("已是最新版本")); // nothing checked yet

        u.serve(answer(item(1809)));
        u.w.checkUpdate();
        QVERIFY(u.status().contains("正在检查更新"));
        QTRY_VERIFY(!u.w.isChecking());
        QVERIFY(u.status().contains("已是最新版本"));
        QCOMPARE(u.w.page(), FormUpload::UpToDate);

        u.serve(answer(item(1810, "1.8.10", "http://h/new.exe") + item(1811, "1.8.11", "http://h/newest.exe")));
        u.w.startInit2();
        QTRY_VERIFY(!u.w.isChecking());
        QCOMPARE(newer.count(), 2);
        QCOMPARE(u.w.page(), FormUpload::NewVersion);
        QVERIFY(u.w.findChild<QLabel *>("label_3")->text().contains("V1.8.11"));
        QCOMPARE(u.w.installerUrl(), QUrl("http://h/newest.exe"));
        QCOMPARE(u.w.findChild<QTextBrowser *>("textBrowser")->toPlainText(), QString("新功能"));

        u.w.checkUpdate();
        QTRY_VERIFY(!u.w.isChecking());
        QCOMPARE(newer.count(), 2);
        QCOMPARE(u.http.requested.count("/update.html"), 3);
    }

    // "Already the latest" only after a check that worked.
    void failedChecks_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("404") << int(LocalHttp::Full) << 404 << answer(item(1809));
        QTest::newRow("not xml") << int(LocalHttp::Full) << 200 << QByteArray("<html>busy");
        QTest::newRow("no version") << int(LocalHttp::Full) << 200 << answer("<item><NUMBER>1</NUMBER></item>");
        QTest::newRow("cut off") << int(LocalHttp::CutOff) << 200 << answer(item(1809));
        QTest::newRow("never answers") << int(LocalHttp::Silent) << 200 << QByteArray();
        // What no update page sends: more than an answer ever holds, plain or
        // inflated, and an answer that trickles in (it would take 40 s).
        QByteArray large = answer(item(1809));
        large.insert(large.indexOf("<Contents>") + 10, "<!--" + QByteArray(FormUpload::MaxAnswerBytes, '-') + "-->");
        QTest::newRow("too large") << int(LocalHttp::Full) << 200 << large;
        QTest::newRow("gzip bomb") << int(LocalHttp::Full) << 200 << LocalHttp::gzipBomb(1024);
        QTest::newRow("a byte at a time") << int(LocalHttp::Drip) << 200 << answer(item(1809));
    }
    void failedChecks()
    {
        QFETCH(int, kind);
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        Updater u;
        u.w.setTotalTimes(1000, 1000);
        QSignalSpy newer(&u.w, &FormUpload::updates);
        LocalHttp::Route r { LocalHttp::Kind(kind), status, body };
        r.dripMs = 20;
        r.sendLength = QByteArray(QTest::currentDataTag()) != "too large";
        if (QByteArray(QTest::currentDataTag()) == "gzip bomb")
            r.encoding = "gzip";
        u.http.route("/update.html", r);
        const long before = TestEnv::peakMemoryKb();

        u.w.startInit2(); // automatic: the page stays as it was
        QTRY_VERIFY_WITH_TIMEOUT(!u.w.isChecking(), 3000);
        QVERIFY(u.status().contains("尚未检查更新"));

        u.w.checkUpdate();
        QTRY_VERIFY_WITH_TIMEOUT(!u.w.isChecking(), 3000);
        QVERIFY(u.status().contains("检查更新失败"));
        QVERIFY(!u.status().contains("已是最新版本"));
        QCOMPARE(u.w.page(), FormUpload::UpToDate);
        QCOMPARE(newer.count(), 0);
        QVERIFY2(TestEnv::peakMemoryKb() - before < 100 * 1024, "an answer is never held past its limit");
    }

    // A redirect loop is a network failure: no status is made up for it.
    void redirectLoopIsANetworkFailure()
    {
        Updater u;
        u.http.route("/update.html", LocalHttp::redirect(u.http.url("/update.html").toEncoded()));
        u.w.checkUpdate();
        QTRY_VERIFY_WITH_TIMEOUT(!u.w.isChecking(), 10000);
        QVERIFY(u.status().contains("检查更新失败"));
        QVERIFY2(!u.status().contains("服务器返回"), qPrintable(u.status()));
        QVERIFY(u.http.requested.size() > 1);
    }

    // The release notes are rich text from the network: shown, but nothing
    // they name is loaded, and no more of them than fits is laid out.
    void releaseNotesAreSealedAndBounded()
    {
        Updater u;
        QTemporaryDir d;
        const QString pipe = d.path() + "/pipe";
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        auto notes = [&](const QByteArray &content) {
            u.serve(answer("<item><VERSION>1810</VERSION><content>" + content + "</content></item>"));
            u.w.checkUpdate();
            for (int i = 0; i < 300 && u.w.isChecking(); ++i)
                QTest::qWait(10);
            u.w.show();
            u.w.grab();
            return u.w.findChild<QTextBrowser *>("textBrowser");
        };
        QTextBrowser *b = notes("&lt;p&gt;new &lt;img src=\"" + pipe.toUtf8() + "\"&gt; &lt;b&gt;bold&lt;/b&gt;&lt;/p&gt;");
        QVERIFY(b->toPlainText().startsWith("new "));
        QVERIFY(b->toPlainText().endsWith(" bold"));
        QVERIFY(qobject_cast<SealedDocument *>(b->document())->refused() >= 1);
        QCOMPARE(notes(QByteArray(100000, 'w'))->toPlainText().size(), FormUpload::MaxNotesCharacters);
        QCOMPARE(notes(QByteArray("&lt;b&gt;").repeated(20000) + "deep")->toPlainText(), QString("deep"));
        // A server's words in the failure line are text.
        u.http.route("/update.html", { LocalHttp::Full, 503, "<b>busy</b>" });
        u.w.checkUpdate();
        QTRY_VERIFY(!u.w.isChecking());
        QVERIFY(u.status().contains("503"));
    }

    // A complete 2xx download is handed to the opener, never run; the hourly
    // check stops with the first press.
    void goodDownload()
    {
        Updater u;
        u.w.startCheckTimer();
        u.offer("/files/setup.exe", { LocalHttp::Full, 200, installer });
        QCOMPARE(u.w.page(), FormUpload::NewVersion);
        u.start();
        QVERIFY(!u.w.checkTimerActive());
        QCOMPARE(u.w.page(), FormUpload::Download);
        QVERIFY(u.w.isDownloading());
        u.start(); // a second press while it runs starts nothing
        QTRY_VERIFY(!u.w.isDownloading());
        QCOMPARE(u.http.requested.count("/files/setup.exe"), 1);

        // In a private folder of its own, under the server's name.
        const QString target = u.w.downloadTarget();
        QCOMPARE(QFileInfo(target).fileName(), QString("setup.exe"));
        QCOMPARE(QFileInfo(target).dir().dirName(), u.folders().value(0));
        QCOMPARE(u.folders().size(), 1);
        QVERIFY(u.files().isEmpty());
        QCOMPARE(QFileInfo(QFileInfo(target).path()).permissions() & 0x7777, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
        QCOMPARE(TestEnv::readFile(target), installer);
        QCOMPARE(u.opener.urls, QList<QUrl>{ QUrl::fromLocalFile(target) });
        QVERIFY(u.opener.paths.isEmpty());

        // The opener may still read it; the next download takes it away.
        u.w.checkUpdate();
        QTRY_VERIFY(!u.w.isChecking());
        u.start();
        QTRY_VERIFY(!u.w.isDownloading());
        QVERIFY(!QFileInfo::exists(target));
        QCOMPARE(u.folders().size(), 1);
        QCOMPARE(u.opener.urls.size(), 2);
        QCOMPARE(TestEnv::readFile(u.w.downloadTarget()), installer);
    }

    // Links planted where a shared folder and a predictable name would put
    // the installer lead nowhere: the user's file behind them stays.
    void plantedLinksAreNotFollowed()
    {
        Updater u;
        QTemporaryDir home;
        const QString mine = TestEnv::writeFile(home.path() + "/notes.txt", "the user's own");
        for (const QString &name : QStringList { "setup.exe", "ZorvaneSetup", ".setup.exe" })
            QVERIFY(QFile::link(mine, u.folder.path() + "/" + name));
        u.offer("/files/setup.exe", { LocalHttp::Full, 200, installer });
        u.start();
        QTRY_VERIFY(!u.w.isDownloading());
        QCOMPARE(TestEnv::readFile(mine), QByteArray("the user's own"));
        QVERIFY(QFileInfo(u.folder.path() + "/setup.exe").isSymLink());
        QCOMPARE(TestEnv::readFile(u.w.downloadTarget()), installer);
        QVERIFY(u.w.downloadTarget() != u.folder.path() + "/setup.exe");
    }

    // An installer without end streams to the disk with flat memory; closing
    // the window stops it and removes what was written.
    void closingStopsTheDownload()
    {
        Updater u;
        QByteArray chunk(256 * 1024, 'i');
        u.offer("/files/setup.exe", { LocalHttp::Endless, 200, chunk });
        u.w.show();
        TestEnv::resetPeakMemory();
        const long before = TestEnv::peakMemoryKb();
        u.start();
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(u.w.downloadTarget()).size() >= (48 << 20), 60000);
        const long grown = TestEnv::peakMemoryKb() - before;
        QVERIFY2(grown < 16 * 1024, qPrintable(QString("grew by %1 KiB").arg(grown)));
        QVERIFY(u.w.isDownloading());
        const QString partial = u.w.downloadTarget();
        u.close();
        QVERIFY(!u.w.isDownloading());
        QVERIFY(u.w.isHidden());
        QVERIFY(!QFileInfo::exists(partial));
        QVERIFY(u.folders().isEmpty());
        QVERIFY(u.opener.urls.isEmpty());
        // The offer stands.
        QCOMPARE(u.w.page(), FormUpload::NewVersion);
    }

    // The window manager's close (Alt+F4) is the ×: the transfer stops, the
    // partial file and its folder go, and nothing is opened once the server
    // could no longer finish.
    void windowManagersCloseStopsTheDownload()
    {
        Updater u;
        LocalHttp::Route slow { LocalHttp::Drip, 200, QByteArray(40, 'i') };
        slow.dripMs = 25;
        u.offer("/files/setup.exe", slow);
        u.w.show();
        u.start();
        QTRY_VERIFY(QFileInfo(u.w.downloadTarget()).size() > 0);
        const QString partial = u.w.downloadTarget();
        auto *rocket = u.w.findChild<QLabel *>("label_5");
        const int flewFrom = rocket->x();
        QTRY_VERIFY(rocket->x() > flewFrom); // aside for the download
        QCloseEvent close; // what the window manager's close becomes
        QCoreApplication::sendEvent(u.w.windowHandle(), &close);
        QVERIFY(u.w.isHidden());
        QVERIFY(!u.w.isDownloading());
        QVERIFY(!QFileInfo::exists(partial));
        QVERIFY(u.folders().isEmpty());
        QTRY_COMPARE(u.http.openConnections(), 0);
        QCoreApplication::processEvents();
        QVERIFY(u.opener.urls.isEmpty());
        // The offer stands, its rocket back beside it.
        QCOMPARE(u.w.page(), FormUpload::NewVersion);
        auto onWindow = [&](QWidget *c) { return QRect(c->mapTo(&u.w, QPoint()), c->size()); };
        QVERIFY(!onWindow(rocket).intersects(onWindow(u.w.findChild<QLabel *>("label_3"))));
    }

    // A failed download opens nothing, leaves no partial file and no older
    // file replaced, and says so.
    void failedDownloads_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("status");
        QTest::newRow("404") << int(LocalHttp::Full) << 404;
        QTest::newRow("cut off") << int(LocalHttp::CutOff) << 200;
        QTest::newRow("never answers") << int(LocalHttp::Silent) << 200;
    }
    void failedDownloads()
    {
        QFETCH(int, kind);
        QFETCH(int, status);
        Updater u;
        TestEnv::writeFile(u.folder.path() + "/setup.exe", "the one from last time");
        u.offer("/files/setup.exe", { LocalHttp::Kind(kind), status, installer });
        u.start();
        QTRY_VERIFY_WITH_TIMEOUT(!u.w.isDownloading(), 3000);
        QVERIFY(u.progress().startsWith("下载失败"));
        QVERIFY(u.opener.urls.isEmpty());
        QCOMPARE(u.files(), QStringList{ "setup.exe" });
        QVERIFY(u.folders().isEmpty()); // the partial installer went with its folder
        QCOMPARE(TestEnv::readFile(u.folder.path() + "/setup.exe"), QByteArray("the one from last time"));

        // It can be tried again once it has ended.
        u.http.route("/files/setup.exe", { LocalHttp::Full, 200, installer });
        u.start();
        QTRY_VERIFY(!u.w.isDownloading());
        QCOMPARE(u.opener.urls.size(), 1);
    }

};

ZV_TEST_MAIN(TestUpload)
#include "tst_upload.moc"
