// The small windows of the dock icons: the name bubble, the circular progress
// bar of the long-press ring, and the drive chooser.
#include "dock/icons/formname.h"
#include "dock/icons/formselectdisk.h"
#include "dock/icons/iconpictures.h"
#include "dock/icons/qroundprogressbar.h"
#include "fakevolumes.h"
#include "iconhelpers.h"
#include "seen.h"
#include "testenv.h"
#include "textfit.h"

#include <QApplication>
#include <QComboBox>
#include <QPainter>
#include <QPushButton>
#include <QtTest>

namespace {
// Records what the bar was asked to paint.
class ProbeBar : public QRoundProgressBar
{
public:
    double paintedArc = -1;

protected:
    void paintValue(QPainter &p, const QRectF &outer, double value, double arc, const QRectF &inner,
                    double innerDiameter) override
    {
        paintedArc = arc;
        QRoundProgressBar::paintValue(p, outer, value, arc, inner, innerDiameter);
    }
};

// The red pixels in an area of the bar drawn on white with a red value arc.
int redPixels(QRoundProgressBar &bar, const QRect &area)
{
    QPalette pal = bar.palette();
    pal.setBrush(QPalette::Window, Qt::white);
    pal.setBrush(QPalette::Base, Qt::white);
    pal.setBrush(QPalette::Highlight, Qt::red);
    bar.setPalette(pal);
    QImage img(bar.size(), QImage::Format_ARGB32);
    img.fill(Qt::white);
    bar.render(&img);
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = img.pixelColor(x, y);
            n += c.red() > 200 && c.green() < 80 && c.blue() < 80;
        }
    return n;
}
// What a bubble's picture shows: the box (the rows drawn across most of the
// picture), the arrow (rows less than half as wide) and the text on the
// box (dark on a light box, light on a dark one).
struct Look
{
    QRect box, arrow, text;
};
Look lookOf(const QImage &picture, bool lightText = false)
{
    Look l;
    for (int y = 0; y < picture.height(); ++y) {
        const QRect line = Seen::drawnBounds(picture, QRect(0, y, picture.width(), 1), 100);
        if (line.isNull())
            continue;
        (line.width() * 2 >= picture.width() ? l.box : l.arrow) |= line;
    }
    l.text = Seen::boundsOf(
        picture, [lightText](const QColor &c) { return c.alpha() > 100 && (lightText ? c.lightness() > 160 : c.lightness() < 100); },
        l.box.adjusted(1, 1, -1, -1));
    return l;
}

} // namespace

class TestIconWindows : public QObject
{
    Q_OBJECT
    FakeVolumes m_volumes;

private slots:
    // The bubble as it shows: the name whole in a light box, and an arrow on
    // the side that faces the icon (below the box on a bottom bar, above it
    // on a top bar), none beside a side bar, also right after a fill that
    // had one. The same name shown again is the same picture.
    void bubbleShowsTheNameAndPointsAtTheIcon()
    {
        // Edge, and the arrow: 1 below the box, -1 above it, 0 none.
        const struct { int edge, arrow; } rows[] = { { 2, 1 }, { 0, -1 }, { 1, 0 }, { 3, 0 } };
        FormName bubble;
        bubble.setFontSize(15);
        QHash<int, QImage> first;
        for (int pass = 0; pass < 2; ++pass) {
            for (const auto &r : rows) {
                bubble.setName(2, "x"); // a fill with an arrow first
                bubble.setName(r.edge, "文件管理");
                const QImage picture = Seen::plain(bubble.picture().toImage());
                QCOMPARE(picture.size(), bubble.size());
                const Look look = lookOf(picture);
                const QString edge = QString("edge %1").arg(r.edge);
                QVERIFY2(!look.box.isNull() && Seen::alike(picture.pixelColor(look.box.left() + 2, look.box.center().y()),
                                                           QColor(255, 255, 255, 230), 12),
                         qPrintable(edge));
                QVERIFY2(look.box.adjusted(3, 2, -3, -2).contains(look.text), qPrintable(edge));
                if (r.arrow == 0) {
                    QVERIFY2(look.arrow.isNull(), qPrintable(edge));
                } else {
                    QVERIFY2(!look.arrow.isNull(), qPrintable(edge));
                    QVERIFY2(r.arrow > 0 ? look.arrow.top() > look.box.bottom() : look.arrow.bottom() < look.box.top(), qPrintable(edge));
                    QVERIFY2(qAbs(look.arrow.center().x() - look.box.center().x()) <= 2, qPrintable(edge));
                    // Narrowing to its tip, away from the box.
                    const int tip = r.arrow > 0 ? look.arrow.bottom() : look.arrow.top();
                    const int base = r.arrow > 0 ? look.arrow.top() : look.arrow.bottom();
                    QVERIFY2(Seen::drawnBounds(picture, QRect(0, tip, picture.width(), 1), 100).width()
                                 < Seen::drawnBounds(picture, QRect(0, base, picture.width(), 1), 100).width(),
                             qPrintable(edge));
                }
                if (pass == 0)
                    first[r.edge] = picture;
                else
                    QCOMPARE(picture, first[r.edge]);
            }
        }
        // A larger font setting: a larger bubble with larger text.
        bubble.setFontSize(22);
        bubble.setName(2, "文件管理");
        const Look large = lookOf(Seen::plain(bubble.picture().toImage()));
        const Look small = lookOf(first[2]);
        QVERIFY(large.text.height() > small.text.height() && large.box.width() > small.box.width());
        QCOMPARE(bubble.picture().size(), bubble.size());
        // Over a menu's entry: light text on a dark pill without an arrow,
        // smaller than a dock bubble's of the same setting.
        FormName pill, dock;
        pill.setFontSize(15);
        dock.setFontSize(15);
        pill.setMenuText("记事本");
        dock.setName(3, "记事本");
        const QImage pillPicture = Seen::plain(pill.picture().toImage());
        const Look menu = lookOf(pillPicture, true);
        QVERIFY(!menu.box.isNull() && menu.arrow.isNull());
        const QColor inside = pillPicture.pixelColor(menu.box.left() + menu.box.height() / 2, menu.box.top() + 2);
        QVERIFY2(inside.alpha() > 150 && inside.lightness() < 40, qPrintable(inside.name(QColor::HexArgb)));
        QVERIFY(menu.box.adjusted(3, 0, -3, 0).contains(menu.text));
        QVERIFY(menu.text.height() < lookOf(Seen::plain(dock.picture().toImage())).text.height());
    }

    // The bubble moves between the dock window, whose style sheet its
    // children inherit, and a plain window of its own: it looks the same in
    // both, and the pictures of the names it showed stay drawn.
    void aNewParentKeepsTheLookAndThePictures()
    {
        QWidget dock, lane;
        dock.setStyleSheet("background-color: rgba(255, 0, 0, 0);");
        auto *bubble = new FormName(&dock);
        bubble->setFontSize(15);
        bubble->setName(2, "文件管理");
        const QPixmap first = bubble->picture();
        bubble->setName(2, "回收站");
        bubble->picture();
        for (QWidget *into : { &lane, &dock, &lane }) {
            bubble->reparent(into);
            bubble->setName(2, "文件管理");
            const QPixmap again = bubble->picture();
            QCOMPARE(again.cacheKey(), first.cacheKey());
            // A bubble drawn afresh in that window shows the same.
            FormName fresh(into);
            fresh.setFontSize(15);
            fresh.setName(2, "文件管理");
            QCOMPARE(Seen::plain(fresh.picture().toImage()), Seen::plain(again.toImage()));
        }
        // A real change of look draws anew.
        bubble->setStyleSheet("font-size: 30px;");
        bubble->setName(2, "文件管理");
        QVERIFY(bubble->picture().cacheKey() != first.cacheKey());
    }

    void rangeValueAndArc()
    {
        ProbeBar bar;
        bar.resize(40, 40);
        bar.setRange(20, 10); // ordered
        QCOMPARE((QList<double> { bar.minimum(), bar.maximum(), bar.value() }), (QList<double> { 10, 20, 10 }));
        // The arc counts from the minimum, in what is drawn too.
        bar.setValue(15);
        QCOMPARE(bar.arcDegrees(), 180.0);
        redPixels(bar, QRect());
        QCOMPARE(bar.paintedArc, 180.0);
        bar.setValue(21); // clamped
        QCOMPARE(bar.arcDegrees(), 360.0);
        bar.setMaximum(5); // below the minimum: the two swap
        QCOMPARE((QList<double> { bar.minimum(), bar.maximum(), bar.value() }), (QList<double> { 5, 10, 10 }));
        bar.setRange(3, 3); // an empty range spans nothing
        QCOMPARE(bar.arcDegrees(), 0.0);
    }

    void nothingIsDrawnAtTheMinimum_data()
    {
        QTest::addColumn<int>("style");
        QTest::newRow("donut") << int(QRoundProgressBar::Donut);
        QTest::newRow("pie") << int(QRoundProgressBar::Pie);
        QTest::newRow("line") << int(QRoundProgressBar::Line);
    }
    void nothingIsDrawnAtTheMinimum()
    {
        QFETCH(int, style);
        QRoundProgressBar bar;
        bar.resize(40, 40);
        bar.setRingStyle(style);
        bar.setRange(5, 10);
        QCOMPARE(redPixels(bar, QRect(0, 0, 40, 40)), 0);
        bar.setValue(7.5); // half: clockwise from twelve, the right half only
        QVERIFY(redPixels(bar, QRect(22, 0, 18, 40)) > 0);
        QCOMPARE(redPixels(bar, QRect(0, 0, 18, 40)), 0);
    }

    void chooserStartsAtTheIconsDrive()
    {
        m_volumes.list.clear();
        m_volumes.add("/");
        m_volumes.add("/media/anna/USB", "USB", true);
        m_volumes.add("/mnt/data");
        FormSelectDisk chooser;
        QComboBox *box = chooser.comboBox();
        QCOMPARE(box->count(), 3);
        m_volumes.add("/media/anna/LATE");
        chooser.setIconData("ico1", "/mnt/data");
        QCOMPARE(box->count(), 3); // read once, when it is made
        QCOMPARE(chooser.diskName()->text(), QString("盘符：/mnt/data"));
        QCOMPARE(box->currentText(), QString("/mnt/data"));
        // "0" is an icon without a drive: the list shows the first drive.
        chooser.setIconData("ico2", "0");
        QCOMPARE(chooser.diskName()->text(), QString("盘符：无"));
        QCOMPARE(box->currentIndex(), 0);
        QCOMPARE(chooser.drive(), QString("0"));
        // A mount point is a name: never HTML, in the label or its tool tip.
        m_volumes.add("/media/<b>x</b>");
        FormSelectDisk other;
        other.setIconData("ico3", "/media/<b>x</b>");
        QCOMPARE(other.diskName()->textFormat(), Qt::PlainText);
        QVERIFY(other.diskName()->text().endsWith("/media/<b>x</b>"));
        QVERIFY(other.diskName()->toolTip().contains("&lt;b&gt;"));
    }

    // A mount point far longer than a drive letter shows what fits; the
    // whole path is what the icon gets.
    void longMountPointFitsAndIsSavedWhole()
    {
        const QString path("/media/anna/A very long name of a removable disk");
        m_volumes.list.clear();
        m_volumes.add(path, "STICK", true);
        FormSelectDisk chooser;
        chooser.setIconData("ico1", "0");
        chooser.show();
        QSignalSpy saved(&chooser, &FormSelectDisk::setIconDisk);
        emit chooser.comboBox()->activated(0);
        QCOMPARE(chooser.diskName()->toolTip(), "盘符：" + path);
        QCOMPARE(chooser.comboBox()->itemData(0, Qt::ToolTipRole).toString(), path);
        const QStringList clipped = clippedTexts(&chooser);
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join('\n')));
        const QFontMetrics fm(chooser.comboBox()->font());
        QVERIFY(fm.horizontalAdvance(chooser.comboBox()->currentText()) < chooser.comboBox()->width() - 26);
        chooser.saveButton()->click();
        QCOMPARE(saved.value(0), QVariantList({ "ico1", path }));
        // Opened again for that icon, the list shows its drive.
        chooser.setIconData("ico1", path);
        QCOMPARE(chooser.comboBox()->currentIndex(), 0);
    }

    // What the save button sends: ("-" for nothing, the window staying up).
    void saving_data()
    {
        QTest::addColumn<QString>("drive"); // the icon's
        QTest::addColumn<int>("pick");      // -1: none; -2: none, no drives; 10 + n: entry n, shown before the user picks it
        QTest::addColumn<QVariantList>("sent");
        QTest::newRow("picked") << "0" << 1 << QVariantList { "ico1", "/mnt/data" };
        QTest::newRow("the entry already shown") << "0" << 10 << QVariantList { "ico1", "/" };
        QTest::newRow("untouched: the drive shown") << "0" << -1 << QVariantList { "ico1", "/" };
        QTest::newRow("untouched, no longer mounted") << "/media/gone" << -1 << QVariantList { "ico1", "/media/gone" };
        QTest::newRow("no drive to choose") << "0" << -2 << QVariantList();
    }
    void saving()
    {
        QFETCH(QString, drive);
        QFETCH(int, pick);
        QFETCH(QVariantList, sent);
        m_volumes.list.clear();
        if (pick != -2) {
            m_volumes.add("/");
            m_volumes.add("/mnt/data");
        }
        FormSelectDisk chooser;
        chooser.setIconData("ico1", drive);
        chooser.show();
        QSignalSpy saved(&chooser, &FormSelectDisk::setIconDisk);
        if (pick >= 10) {
            QSignalBlocker quiet(chooser.comboBox());
            chooser.comboBox()->setCurrentIndex(pick - 10);
            quiet.unblock();
            emit chooser.comboBox()->activated(pick - 10);
        } else if (pick >= 0) {
            chooser.comboBox()->setCurrentIndex(pick);
        }
        if (pick >= 0)
            QCOMPARE(chooser.diskName()->text(), "盘符：" + sent.value(1).toString()); // shown at once
        chooser.saveButton()->click();
        QCOMPARE(QList<QVariantList>(saved), sent.isEmpty() ? QList<QVariantList>() : QList<QVariantList> { sent });
        QCOMPARE(chooser.isVisible(), sent.isEmpty()); // with nothing chosen the user can still choose
    }
};

ZV_TEST_MAIN(TestIconWindows)
#include "tst_iconwindows.moc"
