#include "testconfig.h"
#include "dock/widgets/formweather.h"
#include "dock/widgets/formweathereffects.h"
#include "dock/widgets/weatherfeed.h"
#include "dock/icons/weatherstate.h"
#include "testenv.h"
#include "localhttp.h"

#include <QAbstractAnimation>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

namespace {

QString special(int i)
{
    return i == 34 ? "西沙" : i == 35 ? "南沙" : "钓鱼岛";
}

// 37 provinces; the last three are the places without a city list.
QByteArray provinceList()
{
    QByteArray x = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<china dn=\"day\">\n";
    for (int i = 0; i < 37; ++i) {
        const QString name = i >= 34 ? special(i) : QString("省%1").arg(i);
        const QString tem2 = i == 35 ? "暂无实况" : "30";
        x += QString("<city quName=\"%1\" pyName=\"p%2\" cityname=\"首%2\" state1=\"18\" state2=\"1\" "
                     "stateDetailed=\"雾\" tem1=\"24\" tem2=\"%3\" windState=\"东风3级\"/>\n")
                 .arg(name).arg(i).arg(tem2)
                 .toUtf8();
    }
    return x + "<note text=\"not a province\"/>\n</china>\n";
}

// Ten cities; city 3 has no live temperature, city 4 no humidity or wind power.
QByteArray cityList(const QString &py)
{
    QByteArray x = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<" + py.toUtf8() + " dn=\"day\">\n";
    for (int i = 0; i < 10; ++i) {
        x += QString("<city cityname=\"%1城%2\" pyName=\"%1c%2\" state1=\"%2\" state2=\"0\" stateDetailed=\"小雨\" "
                     "tem1=\"1%2\" tem2=\"2%2\" temNow=\"%3\" windState=\"北风\" windDir=\"北\" windPower=\"%4\" "
                     "humidity=\"%5\"/>\n")
                 .arg(py).arg(i)
                 .arg(i == 3 ? "暂无实况" : QString("2%1").arg(i))
                 .arg(i == 4 ? "暂无实况" : "3级")
                 .arg(i == 4 ? "暂无实况" : "45%")
                 .toUtf8();
    }
    return x + "</" + py.toUtf8() + ">\n";
}

void writePlace(int province, int city)
{
    TestConfig::write(QVariantMap { { "Weather/Province", province }, { "Weather/City", city } });
}

QString label(QWidget *w, const char *name)
{
    return w->findChild<QLabel *>(name)->text();
}

// A province list read as the network hands it over, size bytes at a time.
WeatherFeed::Document inPieces(const QByteArray &body, int size)
{
    WeatherFeed::Reader r(WeatherFeed::ProvinceColumns);
    for (int at = 0; at < body.size(); at += size)
        r.feed(body.mid(at, size));
    return r.finish();
}

} // namespace

class TestWeather : public QObject
{
    Q_OBJECT

    LocalHttp *server = nullptr;

    // A weather window that has loaded (or failed) and is idle again.
    void settle(FormWeather &w)
    {
        QTRY_VERIFY_WITH_TIMEOUT(!w.isBusy(), 5000);
    }

private slots:
    void init()
    {
        delete server;
        server = new LocalHttp;
        QVERIFY(server->isListening());
        server->serve("/wmaps/xml/china.xml", provinceList());
        for (int p = 0; p < 34; ++p) {
            const QString py = QString("p%1").arg(p);
            server->serve("/wmaps/xml/" + py + ".xml", cityList(py));
        }
        qputenv("ZV_WEATHER_URL", server->base().toUtf8());
        TestConfig::reset();
    }

    void cleanupTestCase() { delete server; }

    // ---- parsing ----------------------------------------------------------

    void parsesOnlyTheCityChildrenAndTheirAttributes()
    {
        const auto doc = WeatherFeed::parse(
            "<?xml version=\"1.0\"?><china><city quName=\"北京\" pyName=\"beijing\" extra=\"x\"/>"
            "<town quName=\"skip\"/><city pyName=\"noname\"><city quName=\"too deep\"/></city></china>",
            WeatherFeed::ProvinceColumns);
        QVERIFY(doc.parsed);
        QCOMPARE(doc.root, QString("china"));
        QCOMPARE(doc.cities.size(), 2);
        QCOMPARE(doc.cities[0].value("quName"), QString("北京"));
        QVERIFY(!doc.cities[0].contains("extra"));
        QVERIFY(!doc.cities[1].contains("quName")); // missing stays missing

        // What follows a NUL is no part of the list.
        QByteArray body("<china><city quName=\"a\"/></china>");
        body.append('\0');
        body.append("<junk");
        QCOMPARE(WeatherFeed::parse(body, WeatherFeed::ProvinceColumns).cities.size(), 1);
    }

    void parseRejectsBadCutAndHostileBodies_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("html error page") << QByteArray("<html><body>502</body>");
        QTest::newRow("cut") << provinceList().left(300);
        QByteArray deep = "<china>";
        for (int i = 0; i < 5000; ++i)
            deep += "<a>";
        for (int i = 0; i < 5000; ++i)
            deep += "</a>";
        QTest::newRow("too deep") << deep + "</china>";
        QTest::newRow("entities") << QByteArray(
            "<?xml version=\"1.0\"?><!DOCTYPE china [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;\">]>"
            "<china><city quName=\"&b;\"/></china>");
        QTest::newRow("declaration inside the root")
            << QByteArray("<china><city quName=\"a\"/><!DOCTYPE x><city quName=\"b\"/></china>");
    }

    void parseRejectsBadCutAndHostileBodies()
    {
        QFETCH(QByteArray, body);
        const auto doc = WeatherFeed::parse(body, WeatherFeed::ProvinceColumns);
        QVERIFY(!doc.parsed);
        QVERIFY(doc.cities.isEmpty()); // never half a list
        QVERIFY(doc.root.isEmpty());
        // Nor when it comes in pieces.
        for (int size : { 1, 3 }) {
            QVERIFY(!inPieces(body, size).parsed);
        }
    }

    void cityFilesAreNamedOnlyByPlainNames()
    {
        QCOMPARE(WeatherFeed::cityListPath("beijing"), QString("/wmaps/xml/beijing.xml"));
        for (const char *bad : { "", "../../etc/passwd", "a/b", "a b", "%2e%2e", "x?y=1" })
            QVERIFY2(WeatherFeed::cityListPath(bad).isEmpty(), bad);
    }

    // ---- state codes -------------------------------------------------------------

    void stateCodesPickPicturesAndScenes_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<int>("picture");
        QTest::addColumn<QString>("scene");
        QTest::newRow("0") << "0" << 0 << "sunnyDay";
        QTest::newRow("7") << "7" << 7 << "Rain";
        QTest::newRow("10") << "10" << 9 << "Rain";
        QTest::newRow("12") << "12" << 9 << "Rain";
        QTest::newRow("16") << "16" << 15 << "Snow";
        QTest::newRow("19") << "19" << 6 << "Sleet";
        QTest::newRow("21") << "21" << 9 << "Rain";
        QTest::newRow("25") << "25" << 9 << "Rain";
        QTest::newRow("27") << "27" << 14 << "Snow";
        QTest::newRow("31") << "31" << 31 << "Gale";
        QTest::newRow("32") << "32" << 32 << "Nodeta";
        QTest::newRow("-1") << "-1" << 32 << "Nodeta";
        QTest::newRow("99") << "99" << 32 << "Nodeta";
        QTest::newRow("no number") << "abc" << 0 << "sunnyDay";
    }

    void stateCodesPickPicturesAndScenes()
    {
        QFETCH(QString, state);
        QFETCH(int, picture);
        QFETCH(QString, scene);
        QCOMPARE(WeatherState::pictureNumber(WeatherState::code(state)), picture);
        QCOMPARE(QString(FormWeatherEffects::sceneFor(state)), scene);
    }

    // Every code the feed can send has a picture built into the program.
    void everyStateHasAPicture()
    {
        for (int code = 0; code <= 32; ++code)
            QVERIFY2(!QPixmap(WeatherState::picture(QString::number(code))).isNull(), qPrintable(QString::number(code)));
    }

    // ---- downloads -----------------------------------------------------------------

    void downloadsTakeOneFailurePath()
    {
        WeatherDownload d;
        WeatherFeed::Document got;
        auto keep = [&](const WeatherFeed::Document &doc) { got = doc; };
        d.get("/wmaps/xml/p1.xml", WeatherFeed::CityColumns, keep);
        QTRY_VERIFY(!d.isBusy());
        QVERIFY(got.parsed);
        QCOMPARE(got.root, QString("p1"));
        QCOMPARE(got.cities.size(), 10);

        d.get("/wmaps/xml/nothere.xml", WeatherFeed::CityColumns, keep);
        QTRY_VERIFY(!d.isBusy());
        QVERIFY(!got.parsed); // an error page is no list
        QVERIFY(got.cities.isEmpty());

        // A new request abandons the pending one: only the second answers.
        int calls = 0;
        d.get("/wmaps/xml/p1.xml", WeatherFeed::CityColumns, [&](const WeatherFeed::Document &) { calls += 10; });
        d.get("/wmaps/xml/p2.xml", WeatherFeed::CityColumns, [&](const WeatherFeed::Document &) { calls += 1; });
        QTRY_VERIFY(!d.isBusy());
        QTest::qWait(50);
        QCOMPARE(calls, 1);
    }

    // What the server sends is held to a budget: in bytes, compressed or
    // not, and in time, however slowly it trickles in.
    void downloadsKeepToTheirBudget_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QByteArray>("encoding");
        QTest::addColumn<bool>("sendLength");
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("taken");
        const QByteArray list = cityList("p1");
        QTest::newRow("gzip") << LocalHttp::gzip(list) << QByteArray("gzip") << true << int(LocalHttp::Full) << true;
        QTest::newRow("deflate") << qCompress(list).mid(4) << QByteArray("deflate")
                                 << true << int(LocalHttp::Full) << true;
        // 1 MB of gzip that stands for 1 GB: refused at the first 8 MB.
        QTest::newRow("gzip bomb") << LocalHttp::gzipBomb(1024) << QByteArray("gzip") << true << int(LocalHttp::Full)
                                   << false;
        QTest::newRow("too large, said") << QByteArray(9 * 1024 * 1024, ' ') << QByteArray() << true
                                         << int(LocalHttp::Full) << false;
        QTest::newRow("too large, unsaid") << QByteArray(9 * 1024 * 1024, ' ') << QByteArray() << false
                                           << int(LocalHttp::Full) << false;
        QTest::newRow("cut gzip") << LocalHttp::gzip(list).left(200) << QByteArray("gzip") << false
                                  << int(LocalHttp::Full) << false;
        QTest::newRow("an encoding not asked for") << list << QByteArray("br") << true << int(LocalHttp::Full) << false;
        QTest::newRow("a byte at a time") << list << QByteArray() << true << int(LocalHttp::Drip) << false;
        QTest::newRow("a header without end") << QByteArray(64 * 1024, 'h') << QByteArray() << false
                                              << int(LocalHttp::EndlessHeader) << false;
    }

    void downloadsKeepToTheirBudget()
    {
        QFETCH(QByteArray, body);
        QFETCH(QByteArray, encoding);
        QFETCH(bool, sendLength);
        QFETCH(int, kind);
        QFETCH(bool, taken);
        LocalHttp::Route r { LocalHttp::Kind(kind), 200, body, "text/xml", encoding, sendLength, 20 };
        server->route("/wmaps/xml/p1.xml", r);
        WeatherDownload d;
        d.setTimeout(1000);
        bool called = false;
        WeatherFeed::Document got;
        const long before = TestEnv::peakMemoryKb();
        QElapsedTimer t;
        t.start();
        d.get("/wmaps/xml/p1.xml", WeatherFeed::CityColumns, [&](const WeatherFeed::Document &doc) {
            called = true;
            got = doc;
        });
        QTRY_VERIFY_WITH_TIMEOUT(called, 10000);
        QCOMPARE(got.parsed, taken);
        QCOMPARE(got.cities.size(), taken ? 10 : 0);
        QVERIFY2(t.elapsed() < 5000, "the whole exchange has a time limit"); // a drip would take 30 s
        QVERIFY2(TestEnv::peakMemoryKb() - before < 200 * 1024, "a body is never held past its limit");
        // Whatever ended it, the connection is closed.
        QTRY_COMPARE(server->openConnections(), 0);
    }

    void listsPastTheLimitsAreNoLists()
    {
        QByteArray many = "<china>";
        for (int i = 0; i <= WeatherFeed::MaxCities; ++i)
            many += "<city quName=\"q\" pyName=\"p\"/>";
        QVERIFY(!WeatherFeed::parse(many + "</china>", WeatherFeed::ProvinceColumns).parsed);
        const QByteArray longName = "<china><city quName=\"" + QByteArray(WeatherFeed::MaxValueLength + 1, 'q')
            + "\"/></china>";
        QVERIFY(!WeatherFeed::parse(longName, WeatherFeed::ProvinceColumns).parsed);
        // An attribute not kept may be as long as it likes.
        const QByteArray longOther = "<china><city other=\"" + QByteArray(100000, 'q') + "\" quName=\"a\"/></china>";
        QCOMPARE(WeatherFeed::parse(longOther, WeatherFeed::ProvinceColumns).cities.size(), 1);

        // Fed in pieces of any size, a list reads as it does whole.
        const QByteArray whole = provinceList();
        for (int size : { 1, 7, 64, 4096 }) {
            const WeatherFeed::Document doc = inPieces(whole, size);
            QVERIFY(doc.parsed);
            QCOMPARE(doc.cities.size(), 37);
            QCOMPARE(doc.cities.at(34).value("quName"), QString("西沙"));
        }
        // Also where a piece ends inside a character, a broken one too.
        QByteArray broken = provinceList();
        broken.replace("省3", "\xe5\xb0\xe9\x8f\x9b\xa8\xff\xc0");
        const WeatherFeed::Document once = WeatherFeed::parse(broken, WeatherFeed::ProvinceColumns);
        QVERIFY(once.parsed);
        for (int size = 1; size <= 5; ++size) {
            QCOMPARE(inPieces(broken, size).cities, once.cities);
        }
        // What follows the root is no part of the list, however it comes.
        const QByteArray trailing = "<china><city quName=\"a\"/></china>,<junk";
        for (int size : { 1, 3, trailing.size() }) {
            const WeatherFeed::Document doc = inPieces(trailing, size);
            QVERIFY(doc.parsed);
            QCOMPARE(doc.cities.size(), 1);
        }
    }

    void aServerThatNeverAnswersTimesOut()
    {
        server->silent = true;
        WeatherDownload d;
        d.setTimeout(300);
        bool called = false;
        WeatherFeed::Document got;
        got.parsed = true;
        d.get("/wmaps/xml/china.xml", WeatherFeed::ProvinceColumns, [&](const WeatherFeed::Document &doc) {
            called = true;
            got = doc;
        });
        QVERIFY(d.isBusy());
        QTRY_VERIFY_WITH_TIMEOUT(called, 3000);
        QVERIFY(!got.parsed);
        QCOMPARE(server->requested.size(), 1);
    }

    // What the service names is shown as it is.
    void namesFromTheServiceAreText()
    {
        QByteArray list = cityList("p27");
        list.replace("p27城8", "&lt;b&gt;p27城8&lt;/b&gt;");
        server->serve("/wmaps/xml/p27.xml", list);
        FormWeather w;
        w.startWeather();
        settle(w);
        auto *name = w.findChild<QLabel *>("cityname");
        QCOMPARE(name->text(), QString("<b>p27城8</b>"));
        QCOMPARE(name->textFormat(), Qt::PlainText);
    }

    // ---- the weather window ------------------------------------------------------------

    void firstStartShowsTheDefaultPlaceAndWritesNothing()
    {
        FormWeather w;
        QSignalSpy sent(&w, &FormWeather::setWeatherInit);
        w.startWeather();
        QVERIFY(w.isBusy()); // the dock goes on while the weather loads
        settle(w);
        QCOMPARE(sent.count(), 1);
        QCOMPARE(w.findChild<QComboBox *>("province")->currentIndex(), 27);
        QCOMPARE(w.findChild<QComboBox *>("citycity")->currentIndex(), 8);
        QCOMPARE(sent[0], (QVariantList { "p27城8", "小雨,北风", "28", "8" }));
        QCOMPARE(label(&w, "temNow"), QString("28°C"));
        QCOMPARE(label(&w, "tem"), QString("28/18°C"));
        QCOMPARE(label(&w, "humidity"), QString("45%"));
        QCOMPARE(w.scenes()->currentScene(), QString("Rain"));
        // One province list, one city list: no second download of the same file.
        QCOMPARE(server->requested, (QStringList { "/wmaps/xml/china.xml", "/wmaps/xml/p27.xml" }));
        QVERIFY(!TestConfig::stored("Weather/Province").isValid());

        // Started again: the same reading, from the tables.
        w.startWeather();
        QCOMPARE(sent.count(), 2);
        QCOMPARE(sent[1], sent[0]);
        QCOMPARE(server->requested.size(), 2);
    }

    // Missing observations show as N/A; stored indices that name no row read
    // as an empty place: nothing shown, nothing sent, no crash.
    void readingsOfAPlace_data()
    {
        QTest::addColumn<int>("province");
        QTest::addColumn<int>("city");
        QTest::addColumn<QString>("temNow");
        QTest::addColumn<QString>("passedOn"); // empty: nothing sent
        QTest::addColumn<QString>("humidity");
        QTest::addColumn<QString>("windPower");
        QTest::newRow("no live temperature") << 2 << 3 << "N/A" << "13" << "45%" << "3级";
        QTest::newRow("no humidity or wind") << 2 << 4 << "24°C" << "24" << "N/A" << "N/A";
        QTest::newRow("special place") << 34 << 0 << "30°C" << "30" << "N/A" << "N/A";
        QTest::newRow("special place, no tem2") << 35 << 0 << "N/A" << "24" << "N/A" << "N/A";
        QTest::newRow("province past the list") << 99 << 0 << "N/A" << "" << "" << "";
        QTest::newRow("negative province") << -5 << 0 << "N/A" << "" << "" << "";
        QTest::newRow("city past the list") << 3 << 50 << "N/A" << "" << "" << "";
    }

    void readingsOfAPlace()
    {
        QFETCH(int, province);
        QFETCH(int, city);
        QFETCH(QString, passedOn);
        writePlace(province, city);
        FormWeather w;
        QSignalSpy sent(&w, &FormWeather::setWeatherInit);
        w.startWeather();
        settle(w);
        QVERIFY(w.isProvinceLoaded());
        QTEST(label(&w, "temNow"), "temNow");
        QCOMPARE(sent.count(), passedOn.isEmpty() ? 0 : 1);
        if (passedOn.isEmpty())
            return;
        QCOMPARE(sent[0][2].toString(), passedOn);
        QTEST(label(&w, "humidity"), "humidity");
        QTEST(label(&w, "windPower"), "windPower");
        if (province >= 34) {
            QCOMPARE(sent[0][0].toString(), special(province));
            QCOMPARE(sent[0][3].toString(), QString("18"));
        }
    }

    void aHostileProvinceNameReachesNoOtherFile()
    {
        server->serve("/wmaps/xml/china.xml",
                             "<china><city quName=\"x\" pyName=\"../../secret\"/></china>");
        writePlace(0, 0);
        FormWeather w;
        w.startWeather();
        settle(w);
        QCOMPARE(server->requested, QStringList { "/wmaps/xml/china.xml" });
    }

    void aSilentServerAtStartThenRefresh()
    {
        server->silent = true;
        writePlace(5, 2);
        FormWeather w;
        w.provinceDownload()->setTimeout(300);
        QSignalSpy sent(&w, &FormWeather::setWeatherInit);
        w.startWeather();
        settle(w);
        QVERIFY(!w.isProvinceLoaded());
        QCOMPARE(label(&w, "stateDetailed"), QString("网路数据异常...请检查网络连接"));
        // No reading anywhere, not even the form's placeholder.
        for (const char *reading : { "tem", "humidity", "windPower", "temNow" })
            QCOMPARE(label(&w, reading), QString("N/A"));
        QCOMPARE(sent.count(), 1);
        QCOMPARE(sent[0], (QVariantList { "", "网路数据异常...请检查网络连接", "", "32" }));
        w.startWeather(); // nothing loaded: nothing to re-send, nothing fetched
        QCOMPARE(server->requested.size(), 1);

        server->silent = false;
        QTest::mouseClick(w.findChild<QPushButton *>("Update"), Qt::LeftButton);
        settle(w);
        QVERIFY(w.isProvinceLoaded());
        QCOMPARE(sent.count(), 2);
        QCOMPARE(sent[1][0].toString(), QString("p5城2"));
    }

    // The city list of a refresh that comes to nothing: the place stays
    // named, the window says the service is out of reach, and neither the
    // window nor the dock shows the last reading as a current one. Back
    // online, the next refresh shows the weather again.
    void aFailedRefreshKeepsThePlaceAndShowsNoReading_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("500") << int(LocalHttp::Full) << 500 << cityList("p5");
        QTest::newRow("no answer") << int(LocalHttp::Silent) << 200 << QByteArray();
        QTest::newRow("cut off") << int(LocalHttp::CutOff) << 200 << cityList("p5");
        QTest::newRow("not XML") << int(LocalHttp::Full) << 200 << QByteArray("<html><body>busy");
        QTest::newRow("no city") << int(LocalHttp::Full) << 200 << QByteArray("<p5/>");
    }

    void aFailedRefreshKeepsThePlaceAndShowsNoReading()
    {
        QFETCH(int, kind);
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        writePlace(5, 2);
        FormWeather w;
        w.cityDownload()->setTimeout(300);
        QSignalSpy sent(&w, &FormWeather::setWeatherInit);
        w.startWeather();
        settle(w);
        QCOMPARE(label(&w, "temNow"), QString("22°C"));

        server->route("/wmaps/xml/p5.xml", { LocalHttp::Kind(kind), status, body });
        QTest::mouseClick(w.findChild<QPushButton *>("Update"), Qt::LeftButton);
        settle(w);
        QCOMPARE(label(&w, "cityname"), QString("p5城2"));
        QCOMPARE(label(&w, "stateDetailed"), QString("网路数据异常...请检查网络连接"));
        for (const char *reading : { "tem", "humidity", "windPower", "temNow" })
            QCOMPARE(label(&w, reading), QString("N/A"));
        QCOMPARE(sent.count(), 2);
        QCOMPARE(sent[1], (QVariantList { "p5城2", "网路数据异常...请检查网络连接", "", "32" }));
        QCOMPARE(w.scenes()->currentScene(), QString("Nodeta"));
        QCOMPARE(w.place(), QString("p5城2"));

        server->serve("/wmaps/xml/p5.xml", cityList("p5"));
        QTest::mouseClick(w.findChild<QPushButton *>("Update"), Qt::LeftButton);
        settle(w);
        QCOMPARE(sent.count(), 3);
        QCOMPARE(sent[2], (QVariantList { "p5城2", "小雨,北风", "22", "2" }));
        QCOMPARE(label(&w, "temNow"), QString("22°C"));
    }

    // "+" then "确定" over a city list that did not come: the stored place
    // stays stored and chosen, also when another province was picked.
    void confirmingWithoutACityListKeepsTheStoredPlace()
    {
        writePlace(5, 2);
        FormWeather w;
        QSignalSpy sent(&w, &FormWeather::setWeatherInit);
        w.startWeather();
        settle(w);
        server->route("/wmaps/xml/p5.xml", { LocalHttp::Full, 500, QByteArray() });
        server->route("/wmaps/xml/p7.xml", { LocalHttp::Full, 500, QByteArray() });
        QTest::mouseClick(w.findChild<QPushButton *>("Update"), Qt::LeftButton);
        settle(w);

        auto *ok = w.findChild<QPushButton *>("addok");
        QTest::mouseClick(w.findChild<QPushButton *>("add"), Qt::LeftButton);
        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(TestConfig::stored("Weather/Province").toString(), QString("5"));
        QCOMPARE(TestConfig::stored("Weather/City").toString(), QString("2"));
        QCOMPARE(w.place(), QString("p5城2"));

        w.findChild<QComboBox *>("province")->setCurrentIndex(7);
        QTest::mouseClick(ok, Qt::LeftButton); // before the list fails, and after
        settle(w);
        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(TestConfig::stored("Weather/Province").toString(), QString("5"));
        QCOMPARE(TestConfig::stored("Weather/City").toString(), QString("2"));
        QCOMPARE(label(&w, "cityname"), QString("p5城2"));
        QCOMPARE(sent.last()[1].toString(), QString("网路数据异常...请检查网络连接"));

        // Back online, a refresh finds the stored place again.
        server->serve("/wmaps/xml/p5.xml", cityList("p5"));
        QTest::mouseClick(w.findChild<QPushButton *>("Update"), Qt::LeftButton);
        settle(w);
        QCOMPARE(sent.last()[0].toString(), QString("p5城2"));
        QCOMPARE(sent.last()[2].toString(), QString("22"));
    }

    // The window's scene plays again each time the window comes back, closed
    // or minimised, as it played before.
    void theSceneReplaysWhenTheWindowComesBack()
    {
        FormWeather w;
        w.startWeather();
        settle(w);
        FormWeatherEffects *scene = w.scenes();
        auto *cloud = scene->findChild<QLabel *>("cloud2");
        auto playing = [&] {
            int n = 0;
            for (const QAbstractAnimation *a : scene->findChildren<QAbstractAnimation *>())
                n += a->state() == QAbstractAnimation::Running;
            return n;
        };
        w.show();
        QCOMPARE(scene->currentScene(), QString("Rain"));
        QVERIFY(cloud->isVisible());
        QTest::mouseClick(w.findChild<QPushButton *>("close"), Qt::LeftButton);
        QVERIFY(!w.isVisible());
        QVERIFY(cloud->isHidden());
        w.showNormal();
        w.show();
        QVERIFY(cloud->isVisible());
        QVERIFY(playing() > 0);
        QCOMPARE(scene->currentScene(), QString("Rain"));

        QTRY_COMPARE_WITH_TIMEOUT(playing(), 0, 3000);
        w.showMinimized();
        w.showNormal();
        QVERIFY(playing() > 0);
        QVERIFY(cloud->isVisible());
    }

    void confirmingAPlaceSavesIt()
    {
        FormWeather w;
        auto *ok = w.findChild<QPushButton *>("addok");
        auto *bar = w.findChild<QFrame *>("frameset");
        w.show();
        // Never loaded: the confirm only hides the bar.
        QTest::mouseClick(w.findChild<QPushButton *>("add"), Qt::LeftButton);
        QVERIFY(bar->isVisible());
        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(!bar->isVisible());
        QVERIFY(!QFile::exists(DockSettings::defaultPath()));

        w.startWeather();
        settle(w);
        QSignalSpy sent(&w, &FormWeather::setWeatherInit);
        auto *province = w.findChild<QComboBox *>("province");
        auto *city = w.findChild<QComboBox *>("citycity");
        province->setCurrentIndex(6); // its cities are fetched at once
        QTest::mouseClick(ok, Qt::LeftButton); // before they are in: taken when they arrive
        settle(w);
        QCOMPARE(sent.count(), 1);
        QCOMPARE(sent[0][0].toString(), QString("p6城0"));
        city->setCurrentIndex(5);
        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(sent.count(), 2);
        QCOMPARE(sent[1][0].toString(), QString("p6城5"));
        QCOMPARE(TestConfig::stored("Weather/Province").toString(), QString("6"));
        QCOMPARE(TestConfig::stored("Weather/City").toString(), QString("5"));

        // A refresh reads the stored place again and keeps it.
        QTest::mouseClick(w.findChild<QPushButton *>("Update"), Qt::LeftButton);
        settle(w);
        QCOMPARE(sent.count(), 3);
        QCOMPARE(sent[2][0].toString(), QString("p6城5"));
    }
};

ZV_TEST_MAIN(TestWeather)
#include "tst_weather.moc"
