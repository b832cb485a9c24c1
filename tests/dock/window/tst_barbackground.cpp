// The bar's background as the user sees it, for every style on every edge,
// through the dock window's own slots: each picture is compared with the one
// the earlier code painted for the same steps (tests/fixtures/bar). The
// pieces a style does not set stay as the style before left them, so the
// steps run in one order.
#include "storedfixtures.h"
#include "testenv.h"
#include "widgetfixture.h"

#include <QBuffer>
#include <QtTest>

namespace {

struct Step
{
    const char *name;
    int style, alpha, edge;
};

// The bar on a clear picture, so that the alpha of its background shows.
QImage painted(DockBar *bar)
{
    QImage img(bar->size(), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    bar->render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
    return img.convertToFormat(QImage::Format_ARGB32);
}

// Alike when no channel of a pixel differs by more than one level.
QString difference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return QString("size %1x%2, was %3x%4").arg(a.width()).arg(a.height()).arg(b.width()).arg(b.height());
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
            if (qAbs(p.red() - q.red()) > 1 || qAbs(p.green() - q.green()) > 1 || qAbs(p.blue() - q.blue()) > 1
                || qAbs(p.alpha() - q.alpha()) > 1)
                return QString("at %1,%2: %3, was %4").arg(x).arg(y).arg(p.name(QColor::HexArgb), q.name(QColor::HexArgb));
        }
    }
    return QString();
}

} // namespace

class TestBarBackground : public QObject, public WidgetFixture
{
    Q_OBJECT
private slots:
    void init()
    {
        setUpFakes({ { QRect(0, 0, 800, 600), QRect(0, 0, 800, 600) } });
        QList<DockIconRecord> rows;
        for (int i = 0; i < 3; ++i)
            rows.append({ QString("ico%1").arg(i), "x.png", "n", "ICON", "", "" });
        writeDock(rows);
    }
    void cleanup() { tearDownFakes(); }

    void everyStyleOnEveryEdge()
    {
        setting("System/Location", 2);
        setting("System/BackgroundStyle", 0);
        setting("System/TransparentBackground", 150);
        Widget w;
        const Step steps[] = {
            { "white-bottom", 0, 150, 2 },
            { "white-bottom-60", 0, 60, 2 },
            { "black-bottom-60", 1, 60, 2 },
            { "black-bottom-300", 1, 300, 2 },
            { "black-bottom-0", 1, 0, 2 },
            { "mac-bottom", 2, 0, 2 },
            { "mac-right", 2, 0, 1 },
            { "mac3-right", 3, 0, 1 },
            { "mac3-left", 3, 0, 3 },
            { "mac-left", 2, 0, 3 },
            { "classic2-left", 4, 0, 3 },
            { "classic3-left", 5, 90, 3 },
            { "classic4-top", 6, 90, 0 },
            { "mac3-top", 3, 90, 0 },
            { "unknown-top", 9, 90, 0 },
            { "white-top-200", 0, 200, 0 },
            { "white-left-200", 0, 200, 3 },
            { "unknown-left", 7, 200, 3 },
            { "black-right", 1, 120, 1 },
            { "mac-top", 2, 120, 0 },
            { "classic2-right", 4, 120, 1 },
        };
        QStringList differ;
        for (const Step &s : steps) {
            DockSettings::instance()->setTransparentBackground(s.alpha);
            DockSettings::instance()->setBackgroundStyle(s.style);
            if (w.barLayout()->now().edge != s.edge)
                DockSettings::instance()->setLocation(s.edge);
            w.barLayout()->relayoutIfPending();
            QTRY_VERIFY(w.bar()->isAtRest());
            w.barLayout()->relayoutIfPending();
            const QImage shown = painted(w.bar());
            QByteArray png;
            QBuffer out(&png);
            out.open(QIODevice::WriteOnly);
            shown.save(&out, "PNG");
            const QString name = QString("bar/%1.png").arg(s.name);
            recorded(qPrintable(name), png);
            const QImage before = QImage::fromData(fixture(name), "PNG").convertToFormat(QImage::Format_ARGB32);
            const QString d = before.isNull() ? QString("no picture before") : difference(shown, before);
            if (!d.isEmpty())
                differ << QString("%1: %2").arg(s.name, d);
        }
        QVERIFY2(differ.isEmpty(), qPrintable(differ.join("; ")));
    }

    // A style no version knows, from the start, and an alpha below zero
    // written by hand show no fill at all (not an opaque black bar).
    void noFillWithoutAStyleOrAnAlpha()
    {
        setting("System/Location", 2);
        setting("System/BackgroundStyle", 9);
        setting("System/TransparentBackground", -5);
        Widget w;
        w.barLayout()->relayoutIfPending();
        QTRY_VERIFY(w.bar()->isAtRest());
        const QRect box = w.bar()->backgroundRect();
        QVERIFY(!box.isEmpty());
        QCOMPARE(painted(w.bar()).pixelColor(box.center()).alpha(), 0);
        DockSettings::instance()->setBackgroundStyle(0);
        w.barLayout()->relayoutIfPending();
        QCOMPARE(painted(w.bar()).pixelColor(w.bar()->backgroundRect().center()).alpha(), 0);
        DockSettings::instance()->setTransparentBackground(80);
        QCOMPARE(painted(w.bar()).pixelColor(w.bar()->backgroundRect().center()), QColor(255, 255, 255, 80));
    }
};

ZV_TEST_MAIN(TestBarBackground)
#include "tst_barbackground.moc"
