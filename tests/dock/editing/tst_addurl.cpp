#include "dock/editing/catalogueview.h"
#include "dock/editing/formaddurl.h"
#include "dock/editing/iconfolder.h"
#include "platform/webengine.h"
#include "localhttp.h"
#include "pebuilder.h"
#include "testenv.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

namespace {

bool webEngineLoaded()
{
    QFile maps("/proc/self/maps");
    maps.open(QIODevice::ReadOnly);
    return maps.readAll().contains("libQt5WebEngineCore");
}

void type(FormAddUrl &d, const QString &title, const QString &address)
{
    d.findChild<QLineEdit *>("lineEdit")->setText(title);
    d.findChild<QLineEdit *>("lineEditURL")->setText(address);
}

void pressAdd(FormAddUrl &d)
{
    d.findChild<QPushButton *>("pushButtonAdd")->click();
}

} // namespace

class TestAddUrl : public QObject
{
    Q_OBJECT
private slots:
    // Typing and link rules need no web engine; without its module the
    // dialog works in its compact shape.
    void initTestCase()
    {
        CatalogueViewModule::setFile(TestEnv::binDir() + "/no-such-module.so");
    }

    void badgeAndFullStops()
    {
        FormAddUrl d;
        auto *badge = d.findChild<QLabel *>("labelico");
        auto *title = d.findChild<QLineEdit *>("lineEdit");
        auto *address = d.findChild<QLineEdit *>("lineEditURL");
        QCOMPARE(badge->text(), QString("网"));
        title->setText("百度一下");
        QCOMPARE(badge->text(), QString("百"));
        title->clear();
        QCOMPARE(badge->text(), QString("网"));
        address->setText("www。example。org");
        QCOMPARE(address->text(), QString("www.example.org"));
    }

    void addNeedsTitleAndAddress()
    {
        FormAddUrl d;
        QSignalSpy added(&d, &FormAddUrl::AddIcon);
        auto *error = d.findChild<QLabel *>("label");
        type(d, "", "x.org");
        pressAdd(d);
        QCOMPARE(error->text(), QString("请输入标题名称！"));
        QVERIFY(!error->isHidden());
        type(d, "X", "");
        pressAdd(d);
        QCOMPARE(error->text(), QString("请输入网址！"));
        QCOMPARE(added.count(), 0);
        QVERIFY(!d.downloading());
    }

    void addressRules_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("site");
        QTest::newRow("no scheme") << "www.example.org" << "http://www.example.org" << "example.org";
        QTest::newRow("https with path") << "https://www.a.com/x/y" << "https://www.a.com/x/y" << "a.com";
        QTest::newRow("http") << "http://b.net/" << "http://b.net/" << "b.net";
        QTest::newRow("capital scheme") << "HTTPS://x.org/p" << "HTTPS://x.org/p" << "x.org";
        QTest::newRow("mixed scheme") << "Http://y.org" << "Http://y.org" << "y.org";
        QTest::newRow("www twice") << "www.www.h.com" << "http://www.www.h.com" << "www.h.com";
        QTest::newRow("port stays") << "h.com:8080/p" << "http://h.com:8080/p" << "h.com:8080";
        QTest::newRow("full stops") << "www。c。cn" << "http://www.c.cn" << "c.cn";
    }

    // The stored address, the picture asked for and the icon sent; a site
    // without a picture gets the stock one.
    void addressRules()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QFETCH(QString, site);
        LocalHttp server;
        server.serve("/addurl/img/example.org.png", PeBuilder::pngImage(32, Qt::magenta), "image/png");
        FormAddUrl d;
        d.setWebHost(server.base());
        d.openAddPage("ico3");
        QSignalSpy added(&d, &FormAddUrl::AddIcon);
        type(d, "Site", typed);
        pressAdd(d);
        QVERIFY(added.wait(5000));
        QCOMPARE(d.address(), stored);
        QCOMPARE(d.title(), QString("Site"));
        QCOMPARE(server.requested.value(0), "/addurl/img/" + site + ".png");
        const QString picture = site == "example.org" ? IconFolder::file("example.org.png") : FormAddUrl::stockPicture();
        QCOMPARE(added.at(0), (QVariantList { picture, "Site", "URL", stored, "ico3" }));
        if (site == "example.org")
            QCOMPARE(QImage(picture).size(), QSize(32, 32));
        // The dialog keeps its texts for the next time.
        QCOMPARE(d.findChild<QLineEdit *>("lineEdit")->text(), QString("Site"));
    }

    void linkClickRules()
    {
        LocalHttp server;
        server.serve("/addurl/img/good.png", PeBuilder::pngImage(16, Qt::cyan), "image/png");
        server.serve("/text.png", "<html>no picture</html>", "text/html");
        FormAddUrl d;
        d.openAddPage("0");
        QSignalSpy added(&d, &FormAddUrl::AddIcon);

        d.urlClick(QUrl(server.base() + "/about.html")); // an ordinary link
        d.urlClick(QUrl("http://a/b.png,only-two"));
        QCOMPARE(added.count(), 0);
        QVERIFY(server.requested.isEmpty());

        d.getPhotoup(QString(), "Empty", "http://e.org"); // a link without its picture piece
        QCOMPARE(added.count(), 1);
        QCOMPARE(added.at(0).at(0).toString(), FormAddUrl::stockPicture());
        QCOMPARE(added.at(0).at(1).toString(), QString("Empty"));
        QVERIFY(server.requested.isEmpty());

        d.urlClick(QUrl(server.base() + "/addurl/img/good.png,好站,http://good.org/"));
        QVERIFY(added.wait(5000));
        QCOMPARE(added.at(1), (QVariantList { IconFolder::file("good.png"), "好站", "URL", "http://good.org/", "0" }));

        for (const char *bad : { "/text.png", "/missing.png", "/dir/" }) {
            d.urlClick(QUrl(server.base() + bad + ",N,http://n.org"));
            QVERIFY(added.wait(5000));
            QCOMPARE(added.last().at(0).toString(), FormAddUrl::stockPicture());
        }

        // A picture of a gigabyte, sent as a megabyte of gzip: never inflated
        // past the picture limit; the site gets the stock picture.
        server.route("/bomb.png", { LocalHttp::Full, 200, LocalHttp::gzipBomb(1024), "image/png", "gzip" });
        const long before = TestEnv::peakMemoryKb();
        d.urlClick(QUrl(server.base() + "/bomb.png,Bomb,http://b.org"));
        QVERIFY(added.wait(5000));
        QCOMPARE(added.last().at(0).toString(), FormAddUrl::stockPicture());
        QVERIFY(TestEnv::peakMemoryKb() - before < 200 * 1024);
    }

    // A catalogue link's picture comes from the web only: a local address,
    // or a redirect to one, is never read, and the site gets the stock picture.
    void picturesComeOnlyFromTheWeb()
    {
        QTemporaryDir dir;
        QFile png(dir.path() + "/local.png");
        QVERIFY(png.open(QIODevice::WriteOnly));
        png.write(PeBuilder::pngImage(16, Qt::yellow));
        png.close();
        LocalHttp server;
        server.route("/moved.png", LocalHttp::redirect(QUrl::fromLocalFile(png.fileName()).toEncoded()));
        FormAddUrl d;
        d.openAddPage("0");
        QSignalSpy added(&d, &FormAddUrl::AddIcon);
        for (const QString &picture : { QUrl::fromLocalFile(png.fileName()).toString(), server.base() + "/moved.png",
                                        QString("qrc:/image/icon/url.png") }) {
            d.urlClick(QUrl(picture + ",Local,http://l.org"));
            QTRY_COMPARE(added.count() > 0 && !d.downloading(), true);
            QCOMPARE(added.last().at(0).toString(), FormAddUrl::stockPicture());
            QCOMPARE(added.last().at(1).toString(), QString("Local"));
            added.clear();
        }
        QVERIFY(!QFileInfo::exists(IconFolder::file("local.png")));
        QVERIFY(!QFileInfo::exists(IconFolder::file("url.png")));
    }

    // A server that never answers: the stock picture after the time-out, and
    // nothing else starts meanwhile.
    void silentServerTimesOut()
    {
        LocalHttp server;
        server.silent = true;
        FormAddUrl d;
        d.setWebHost(server.base());
        d.setDownloadTimeout(400);
        d.openAddPage("0");
        QSignalSpy added(&d, &FormAddUrl::AddIcon);
        type(d, "Slow", "slow.org");
        QElapsedTimer clock;
        clock.start();
        pressAdd(d);
        QVERIFY(d.downloading());
        pressAdd(d);
        d.urlClick(QUrl(server.base() + "/p.png,Other,http://o.org"));
        QTRY_COMPARE_WITH_TIMEOUT(server.requested.size(), 1, 3000);
        QCOMPARE(added.count(), 0);
        QVERIFY(added.wait(5000));
        QVERIFY(clock.elapsed() >= 350);
        QCOMPARE(added.count(), 1);
        QCOMPARE(added.at(0).at(0).toString(), FormAddUrl::stockPicture());
        QCOMPARE(added.at(0).at(1).toString(), QString("Slow"));
        QVERIFY(!d.downloading());
        QTest::qWait(100);
        QCOMPARE(server.requested.size(), 1);
    }

    void missingModuleLeavesTheCompactDialog()
    {
        FormAddUrl d;
        d.openAddPage("0");
        QVERIFY(!d.webView());
        QCOMPARE(d.size(), QSize(600, 110));
        QVERIFY(!webEngineLoaded());
    }

    // The web engine is loaded only when a dialog first opens; the catalogue
    // page opens the full shape, and its links come to the dialog instead of
    // being followed.
    void catalogueLinksAreTakenOver()
    {
        CatalogueViewModule::setFile(TestEnv::binDir() + "/zorvane-webview.so");
        FormAddUrl d;
        QVERIFY(!d.webView());
        QVERIFY(!webEngineLoaded());
        QCOMPARE(d.size(), QSize(600, 110));

        LocalHttp server;
        const QString pic = server.base() + "/addurl/img/cat.png";
        server.serve("/addurl/img/cat.png", PeBuilder::pngImage(24, Qt::darkRed), "image/png");
        server.serve("/addurl/index.html",
                     "<html><body><a id='a' href='" + pic.toUtf8() + ",Cat,http://cat.example/'>cat</a>"
                         "<a id='b' target='_blank' href='" + pic.toUtf8() + ",Kit,http://kit.example/'>kit</a>"
                         "<script>window.onload = function() { setTimeout(function() {"
                         " document.getElementById('a').click(); }, 100); setTimeout(function() {"
                         " document.getElementById('b').click(); }, 1500); };</script></body></html>",
                     "text/html; charset=utf-8");
        d.setWebHost(server.base());
        QSignalSpy added(&d, &FormAddUrl::AddIcon);
        d.openAddPage("ico9");
        d.show();
        QVERIFY(d.webView());
        QVERIFY(webEngineLoaded());
        QTRY_COMPARE_WITH_TIMEOUT(d.size(), QSize(600, 347), 30000);
        QVERIFY(d.webView()->isVisible());

        QTRY_COMPARE_WITH_TIMEOUT(added.count(), 1, 20000);
        QCOMPARE(added.at(0), (QVariantList { IconFolder::file("cat.png"), "Cat", "URL", "http://cat.example/", "ico9" }));
        QTRY_COMPARE_WITH_TIMEOUT(added.count(), 2, 20000);
        QCOMPARE(added.at(1).at(1).toString(), QString("Kit"));
        // A refused link ends as a failed load; the catalogue stays open all the same.
        QTest::qWait(300);
        QCOMPARE(d.size(), QSize(600, 347));
        QVERIFY(d.webView()->isVisible());
        // The view stayed on the catalogue: only it and the pictures were asked for.
        for (const QString &path : server.requested)
            QVERIFY2(path == "/addurl/index.html" || path == "/addurl/img/cat.png" || path == "/favicon.ico",
                     qPrintable(path));
    }
};

int main(int argc, char *argv[])
{
    static TestEnv env;
    // What the web engine needs under the offscreen platform, without GPU or sandbox.
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox --disable-gpu");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    qputenv("QT_QUICK_BACKEND", "software");
    platform::prepareWebEngine();
    QApplication app(argc, argv);
    TestAddUrl tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_addurl.moc"
