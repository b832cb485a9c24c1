#include "dock/icons/productlinks.h"
#include "dock/tools/formabout.h"
#include "dock/tools/formvesk.h"
#include "fakedockservices.h"
#include "testenv.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QUrlQuery>
#include <QtTest>

class TestVesk : public QObject
{
    Q_OBJECT
private slots:
    // What is typed decides: an address as typed (case-sensitive, untrimmed)
    // or a query to the search site.
    void classification_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("opened"); // "?" + text: the search site with that query
        QTest::newRow("https") << "https://example.org/a?b=c" << "https://example.org/a?b=c";
        QTest::newRow("http") << "http://example.org" << "http://example.org";
        QTest::newRow("www gets a scheme") << "www.example.org/x" << "http://www.example.org/x";
        QTest::newRow("capital scheme") << "HTTP://example.org" << "?HTTP://example.org";
        QTest::newRow("blank then www") << " www.example.org" << "? www.example.org";
        QTest::newRow("words") << "weather tomorrow" << "?weather tomorrow";
        QTest::newRow("delimiters") << "a&q=b#c+d%20e" << "?a&q=b#c+d%20e";
        QTest::newRow("chinese") << "北京 天气" << "?北京 天气";
    }
    void classification()
    {
        QFETCH(QString, typed);
        QFETCH(QString, opened);
        const QUrl url = FormVesk::searchUrl(typed);
        QVERIFY(url.isValid());
        if (!opened.startsWith('?')) {
            QVERIFY(FormVesk::isAddress(typed));
            QCOMPARE(url.toString(), opened);
            return;
        }
        QVERIFY(!FormVesk::isAddress(typed));
        // A public site that takes the query on its front page.
        QCOMPARE(url.scheme(), QString("https"));
        QCOMPARE(url.host(), QString("duckduckgo.com"));
        QCOMPARE(url.path(), QString("/"));
        // One query item "q" holding the whole text, percent-encoded as UTF-8.
        const QUrlQuery query(url);
        QCOMPARE(query.queryItems(QUrl::FullyDecoded).size(), 1);
        QCOMPARE(query.queryItemValue("q", QUrl::FullyDecoded), opened.mid(1));
        QVERIFY(!url.toString(QUrl::FullyEncoded).contains(' '));
        QVERIFY(url.fragment().isEmpty());
        if (typed == "北京 天气")
            QVERIFY(url.toString(QUrl::FullyEncoded).endsWith("/?q=%E5%8C%97%E4%BA%AC%20%E5%A4%A9%E6%B0%94"));
        QVERIFY(FormVesk::searchUrl(QString()).isEmpty());
    }

    // ZV_SEARCH_URL names another site of the same shape; an address that
    // is not a web address leaves the public site in place.
    void searchSiteFromTheEnvironment_data()
    {
        QTest::addColumn<QString>("site");
        QTest::addColumn<QString>("opened"); // for "北京 天气"
        const QString q = "q=%E5%8C%97%E4%BA%AC%20%E5%A4%A9%E6%B0%94";
        QTest::newRow("host alone") << "http://127.0.0.1:8080" << "http://127.0.0.1:8080/?" + q;
        QTest::newRow("front page") << "https://search.example.org/" << "https://search.example.org/?" + q;
        QTest::newRow("own path and query") << "https://s.example.org/find?lang=zh#top"
                                            << "https://s.example.org/find?lang=zh&" + q;
        QTest::newRow("not a web address") << "ftp://files.example.org/" << "https://duckduckgo.com/?" + q;
        QTest::newRow("no host") << "search" << "https://duckduckgo.com/?" + q;
        QTest::newRow("unset") << "" << "https://duckduckgo.com/?" + q;
    }
    void searchSiteFromTheEnvironment()
    {
        QFETCH(QString, site);
        QFETCH(QString, opened);
        qputenv("ZV_SEARCH_URL", site.toUtf8());
        const QUrl url = FormVesk::searchUrl("北京 天气");
        qunsetenv("ZV_SEARCH_URL");
        QCOMPARE(url.toString(QUrl::FullyEncoded), opened);
        QCOMPARE(QUrlQuery(url).queryItemValue("q", QUrl::FullyDecoded), QString("北京 天气"));
    }

    // ZV_UPDATE_URL points the update check at a page; without it the
    // product's own page, which is no public address.
    void updatePageFromTheEnvironment()
    {
        QCOMPARE(ProductLinks::updatePage(), QUrl(ProductLinks::webHost() + "/update.html"));
        ScopedEnv page("ZV_UPDATE_URL", "http://127.0.0.1:8000/zorvane/update.xml");
        QCOMPARE(ProductLinks::updatePage(), QUrl("http://127.0.0.1:8000/zorvane/update.xml"));
        page.set("/tmp/update.xml");
        QCOMPARE(ProductLinks::updatePage(), QUrl(ProductLinks::webHost() + "/update.html"));
    }

    void placementOnTheDocksScreen()
    {
        FormVesk search;
        auto *veil = search.findChild<QPushButton *>("pushButton_2");
        auto *bar = search.findChild<QFrame *>("frame");
        search.setWindowRect(100, 50, 1280, 800);
        QCOMPARE(search.geometry(), QRect(100, 50, 1280, 800));
        QCOMPARE(veil->size(), QSize(1280, 800));
        veil->resize(5, 5);
        search.setWindowRect(100, 50, 1280, 800); // unchanged: nothing
        QCOMPARE(veil->size(), QSize(5, 5));

        // The bar drops from 30 to 10 px above the centre while fading in.
        search.toggle();
        QVERIFY(search.isShown() && search.isVisible());
        const QPoint rest(640 - bar->width() / 2, 400 - bar->height() / 2 - 10);
        QTRY_COMPARE(bar->pos(), rest);
        QTRY_COMPARE(search.windowOpacity(), 1.0);
        auto *focus = search.findChild<QTimer *>("focusTimer");
        QVERIFY(focus->isActive());

        // The toggle again, Esc and the veil all slide it out and up.
        search.toggle();
        QVERIFY(!focus->isActive());
        QVERIFY(search.isShown()); // still sliding
        QTRY_VERIFY(!search.isShown() && !search.isVisible());
        QCOMPARE(bar->pos(), rest - QPoint(0, 20));

        search.toggle();
        QVERIFY(QTest::qWaitForWindowActive(&search));
        QTest::keyClick(search.findChild<QLineEdit *>("lineEdit"), Qt::Key_Escape);
        QTRY_VERIFY(!search.isShown());
        search.toggle();
        veil->click();
        QTRY_VERIFY(!search.isShown());
    }

    void searchOpensAndEmpties()
    {
        FakeOpener opener;
        FormVesk search;
        search.setWindowRect(0, 0, 1280, 800);
        auto *edit = search.findChild<QLineEdit *>("lineEdit");
        search.toggle();
        QVERIFY(QTest::qWaitForWindowActive(&search));

        // Return with an empty field neither opens nor closes.
        QTest::keyClick(edit, Qt::Key_Return);
        QVERIFY(opener.urls.isEmpty());
        QVERIFY(search.isShown() && search.isVisible());

        QTest::keyClicks(edit, "www.example.org");
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(opener.urls, QList<QUrl>{ QUrl("http://www.example.org") });
        QVERIFY(edit->text().isEmpty());
        QTRY_VERIFY(!search.isShown());

        search.toggle();
        QVERIFY(QTest::qWaitForWindowActive(&search));
        edit->setText("zorvane");
        search.findChild<QPushButton *>("pushButton")->click();
        QCOMPARE(opener.urls.size(), 2);
        QCOMPARE(QUrlQuery(opener.urls.last()).queryItemValue("q"), QString("zorvane"));
        QTRY_VERIFY(!search.isShown());
    }

    // The about box: its address line opens the home page and leaves the box
    // open; a press elsewhere drags it.
    void aboutBox()
    {
        FakeOpener opener;
        FormAbout about;
        about.move(100, 100);
        about.show();
        QVERIFY(about.findChild<QLabel *>("label")->text().contains(ProductLinks::homePage().toString()));
        about.findChild<QPushButton *>("web")->click();
        QCOMPARE(opener.urls, QList<QUrl>{ ProductLinks::homePage() });
        QVERIFY(about.isVisible());

        const QPoint at(200, 300);
        QTest::mousePress(&about, Qt::LeftButton, Qt::NoModifier, at);
        const QPoint to = about.mapToGlobal(at) + QPoint(30, -40);
        QMouseEvent move(QEvent::MouseMove, about.mapFromGlobal(to), to, Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&about, &move);
        QTest::mouseRelease(&about, Qt::LeftButton, Qt::NoModifier, about.mapFromGlobal(to));
        QCOMPARE(about.pos(), QPoint(130, 60));

        about.findChild<QPushButton *>("close")->click();
        QVERIFY(!about.isVisible());
    }
};

ZV_TEST_MAIN(TestVesk)
#include "tst_vesk.moc"
