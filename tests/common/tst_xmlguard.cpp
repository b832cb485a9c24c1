#include "common/xmlguard.h"
#include "testenv.h"

#include <QApplication>
#include <QDomDocument>
#include <QElapsedTimer>
#include <QtTest>

namespace {
QByteArray nested(int depth, const QByteArray &inner = "x")
{
    QByteArray open, close;
    for (int i = 0; i < depth; ++i) {
        open += "<a>";
        close += "</a>";
    }
    return "<?xml version=\"1.0\"?>" + open + inner + close;
}
} // namespace

class TestXmlGuard : public QObject
{
    Q_OBJECT
private slots:
    void depthIsMeasuredBeforeTheDom()
    {
        using XmlGuard::Check;
        QCOMPARE(XmlGuard::check(nested(XmlGuard::MaxDepth)), Check::Ok);
        QCOMPARE(XmlGuard::check(nested(XmlGuard::MaxDepth + 1)), Check::TooDeep);
        QCOMPARE(XmlGuard::check(nested(3), 3), Check::Ok);
        QCOMPARE(XmlGuard::check(nested(4), 3), Check::TooDeep);
        // Siblings add no depth.
        QCOMPARE(XmlGuard::check("<r>" + QByteArray("<a><b/></a>").repeated(5000) + "</r>", 3), Check::Ok);
        QCOMPARE(XmlGuard::check("<r><a></r>"), Check::Malformed);
        QCOMPARE(XmlGuard::check("<r>"), Check::Malformed);
        QCOMPARE(XmlGuard::check(""), Check::Malformed);
    }

    void deepFileIsRefusedWithoutCrashing()
    {
        // The size that crashed the DOM parser: about 30,000 levels in 210 KB.
        const QByteArray deep = nested(30000);
        QElapsedTimer t;
        t.start();
        QDomDocument doc;
        QString why;
        QVERIFY(!XmlGuard::parse(deep, &doc, XmlGuard::MaxDepth, &why));
        QVERIFY2(why.contains("deeper"), qPrintable(why));
        QVERIFY(doc.documentElement().isNull());
        // Cut short at the limit: no need to read it all.
        QVERIFY(t.elapsed() < 2000);
        // Deep and cut off: still refused, still no DOM.
        QVERIFY(!XmlGuard::parse(deep.left(deep.size() / 2), &doc));
    }

    void wellFormedFilesReachTheDom()
    {
        QDomDocument doc;
        QString why = "stale";
        QVERIFY(XmlGuard::parse("<?xml version=\"1.0\" encoding=\"UTF-8\"?><Zorvane><List id=\"0\">"
                                "<Name>\xE8\xAE\xA1\xE7\xAE\x97\xE6\x9C\xBA</Name></List></Zorvane>",
                                &doc, XmlGuard::MaxDepth, &why));
        QVERIFY(why.isEmpty());
        QCOMPARE(doc.documentElement().tagName(), QString("Zorvane"));
        QCOMPARE(doc.documentElement().firstChildElement().firstChildElement().text(), QString("计算机"));
        QVERIFY(!XmlGuard::parse("<a><b></a>", &doc, XmlGuard::MaxDepth, &why));
        QVERIFY(why.contains("well-formed"));
    }
};

ZV_TEST_MAIN(TestXmlGuard)
#include "tst_xmlguard.moc"
