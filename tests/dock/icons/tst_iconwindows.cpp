// The small windows of the dock icons: name bubble, delete badge, circular
// progress bar, long-press ring and drive chooser.
#include "dock/icons/formdelete.h"
#include "dock/icons/formname.h"
#include "dock/icons/formselectdisk.h"
#include "dock/icons/formtimingflash.h"
#include "dock/icons/iconpictures.h"
#include "dock/icons/qroundprogressbar.h"
#include "fakevolumes.h"
#include "iconhelpers.h"
#include "testenv.h"

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
    using QRoundProgressBar::QRoundProgressBar;
    double paintedArc = -1;

protected:
    void paintValue(QPainter &p, const QRectF &outer, double value, double arc, const QRectF &inner,
                    double innerDiameter) override
    {
        paintedArc = arc;
        QRoundProgressBar::paintValue(p, outer, value, arc, inner, innerDiameter);
    }
};

// The bar drawn on white in line style with a red value arc.
QImage render(QRoundProgressBar &bar)
{
    QPalette pal = bar.palette();
    pal.setBrush(QPalette::Window, Qt::white);
    pal.setBrush(QPalette::Base, Qt::white);
    pal.setBrush(QPalette::Highlight, Qt::red);
    bar.setPalette(pal);
    QImage img(bar.size(), QImage::Format_ARGB32);
    img.fill(Qt::white);
    bar.render(&img);
    return img;
}

int redPixels(const QImage &img, const QRect &area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 80 && c.blue() < 80)
                ++n;
        }
    return n;
}
} // namespace

class TestIconWindows : public QObject
{
    Q_OBJECT
    FakeVolumes m_volumes;

private slots:
    // ------------------------------------------------------------ name bubble

    void bubbleOnABottomBarPointsDown()
    {
        FormName bubble;
        bubble.setFontSize(15);
        bubble.setName(2, "文件管理");
        QLabel *name = bubble.nameLabel();
        QCOMPARE(name->size(), name->sizeHint() + QSize(20, 6));
        QCOMPARE(name->font().pixelSize(), 15);
        QCOMPARE(name->text(), QString("文件管理"));
        QCOMPARE(name->pos(), QPoint(0, 0));
        QCOMPARE(bubble.size(), QSize(name->width(), name->height() + 8));
        QLabel *arrow = bubble.arrowLabel();
        QVERIFY(!arrow->isHidden());
        QCOMPARE(arrow->pos(), QPoint((bubble.width() - 18) / 2, name->height()));
        QCOMPARE(IconPictures::shownPath(arrow), QString(":/image/menu/DownArrow.png"));
    }

    void bubbleOnATopBarPointsUp()
    {
        FormName bubble;
        bubble.setName(0, "Files");
        QLabel *name = bubble.nameLabel();
        QCOMPARE(name->pos(), QPoint(0, 8));
        QCOMPARE(bubble.size(), QSize(name->width(), name->height() + 8));
        QCOMPARE(bubble.arrowLabel()->pos(), QPoint((bubble.width() - 18) / 2, 0));
        QVERIFY(!bubble.arrowLabel()->isHidden());
        QCOMPARE(IconPictures::shownPath(bubble.arrowLabel()), QString(":/image/menu/UpArrow.png"));
    }

    void bubbleBesideASideBarHasNoArrow_data()
    {
        QTest::addColumn<int>("edge");
        QTest::newRow("right") << 1;
        QTest::newRow("left") << 3;
    }
    void bubbleBesideASideBarHasNoArrow()
    {
        QFETCH(int, edge);
        FormName bubble;
        bubble.setName(2, "Files"); // right after a fill with an arrow
        bubble.setName(edge, "Files");
        QCOMPARE(bubble.size(), bubble.nameLabel()->size());
        QCOMPARE(bubble.nameLabel()->pos(), QPoint(0, 0));
        QVERIFY(bubble.arrowLabel()->isHidden());
    }

    void emptyNameStillGivesABubble()
    {
        FormName bubble;
        bubble.setName(1, "");
        QCOMPARE(bubble.nameLabel()->size(), bubble.nameLabel()->sizeHint() + QSize(20, 6));
        FormName menuBubble;
        menuBubble.setMenuText("");
        QCOMPARE(menuBubble.nameLabel()->size(), menuBubble.nameLabel()->sizeHint() + QSize(26, 2));
    }

    void menuBubbleIsADarkPill()
    {
        FormName bubble;
        bubble.setFontSize(15);
        bubble.setMenuText("记事本");
        QLabel *name = bubble.nameLabel();
        QCOMPARE(name->font().pixelSize(), 13);
        QVERIFY(bubble.arrowLabel()->isHidden());
        QVERIFY(name->styleSheet().contains("background-color: rgba(0, 0, 0, 200)"));
        QCOMPARE(name->size(), name->sizeHint() + QSize(26, 2));
        QCOMPARE(bubble.size(), name->size());
        QCOMPARE(name->pos(), QPoint(0, 0));
    }

    // ------------------------------------------------------------ delete badge

    void badgeSwitchesItsPicture()
    {
        FormDelete badge;
        QCOMPARE(badge.size(), QSize(180, 180));
        QVERIFY(badge.windowFlags() & Qt::Tool);
        QVERIFY(badge.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(badge.picture()->text().isEmpty());
        QVERIFY(badge.picture()->styleSheet().contains("url(:/image/menu/delete.png)"));
        QVERIFY(!badge.isHighlighted());
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(&badge, &enter);
        QVERIFY(badge.picture()->styleSheet().contains("url(:/image/menu/delete1.png)"));
        const QString lit = badge.picture()->styleSheet();
        badge.setHighlighted();
        QCOMPARE(badge.picture()->styleSheet(), lit);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&badge, &leave);
        QVERIFY(badge.picture()->styleSheet().contains("url(:/image/menu/delete.png)"));
        QVERIFY(!badge.isHighlighted());
    }

    // ------------------------------------------------------------ progress bar

    void rangeIsOrderedAndValueClamped()
    {
        QRoundProgressBar bar;
        QCOMPARE(bar.maximum(), 60.0);
        bar.setRange(10, 5);
        QCOMPARE(bar.minimum(), 5.0);
        QCOMPARE(bar.maximum(), 10.0);
        QCOMPARE(bar.value(), 5.0);
        bar.setRange(0, 60);
        bar.setValue(61);
        QCOMPARE(bar.value(), 60.0);
        QCOMPARE(bar.arcDegrees(), 360.0);
        bar.setValue(-4);
        QCOMPARE(bar.value(), 0.0);
        bar.setMaximum(-10); // below the minimum: the two swap
        QCOMPARE(bar.minimum(), -10.0);
        QCOMPARE(bar.maximum(), 0.0);
    }

    void arcCountsFromTheMinimum()
    {
        ProbeBar bar;
        bar.resize(40, 40);
        bar.setRange(10, 20);
        bar.setValue(15);
        QCOMPARE(bar.arcDegrees(), 180.0);
        render(bar);
        QCOMPARE(bar.paintedArc, 180.0);
        bar.setValue(10);
        QCOMPARE(bar.arcDegrees(), 0.0);
        bar.setValue(20);
        QCOMPARE(bar.arcDegrees(), 360.0);
        bar.setRange(3, 3); // an empty range spans nothing
        QCOMPARE(bar.arcDegrees(), 0.0);
    }

    void lineRingFillsClockwiseFromTwelve()
    {
        QRoundProgressBar bar;
        bar.resize(40, 40);
        bar.setRingStyle(QRoundProgressBar::Line);
        bar.setOutlineWidth(5);
        bar.setDataWidth(5);
        bar.setRange(0, 500);
        bar.setValue(250);
        const QImage half = render(bar);
        QVERIFY(redPixels(half, QRect(22, 0, 18, 40)) > 40); // right half
        QCOMPARE(redPixels(half, QRect(0, 0, 18, 40)), 0); // left half untouched
        bar.setValue(0);
        QCOMPARE(redPixels(render(bar), QRect(0, 0, 40, 40)), 0);
    }

    void noValueIsDrawnAtTheMinimum_data()
    {
        QTest::addColumn<int>("style");
        QTest::newRow("donut") << 0;
        QTest::newRow("pie") << 1;
        QTest::newRow("line") << 2;
    }
    void noValueIsDrawnAtTheMinimum()
    {
        QFETCH(int, style);
        QRoundProgressBar bar;
        bar.resize(40, 40);
        bar.setRingStyle(style);
        bar.setRange(5, 10);
        QCOMPARE(redPixels(render(bar), QRect(0, 0, 40, 40)), 0);
        bar.setValue(7.5);
        QVERIFY(redPixels(render(bar), QRect(0, 0, 40, 40)) > 0);
    }

    void wideBarDrawsInItsTopLeftSquare()
    {
        QRoundProgressBar bar;
        bar.resize(80, 20);
        bar.setRingStyle(QRoundProgressBar::Pie);
        bar.setValue(60);
        const QImage img = render(bar);
        QVERIFY(redPixels(img, QRect(0, 0, 20, 20)) > 0);
        QCOMPARE(redPixels(img, QRect(21, 0, 59, 20)), 0);
    }

    // ------------------------------------------------------------ long-press ring

    void ringWindow()
    {
        FormTimingFlash ring;
        QVERIFY(ring.windowFlags() & Qt::Tool);
        QVERIFY(ring.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(ring.windowFlags() & Qt::WindowTransparentForInput);
        QVERIFY(ring.testAttribute(Qt::WA_TranslucentBackground));
        QCOMPARE(ring.ring()->ringStyle(), int(QRoundProgressBar::Line));
        QCOMPARE(ring.ring()->outlineWidth(), 5.0);
        QCOMPARE(ring.ring()->palette().color(QPalette::Highlight), QColor(0, 140, 255));
        ring.setRange(0, 500);
        ring.setValue(250);
        QCOMPARE(ring.ring()->value(), 250.0);
        ring.setRange(0, 500);
        QCOMPARE(ring.ring()->value(), 0.0); // a new range starts empty
        ring.show();
        QCOMPARE(ring.size(), QSize(32, 32));
        ring.hide();
    }

    // ------------------------------------------------------------ drive chooser

    void chooserListsTheDrivesOnce()
    {
        m_volumes.list.clear();
        m_volumes.add("/");
        m_volumes.add("/media/anna/USB", "USB", true);
        m_volumes.add("/mnt/data", "data");
        FormSelectDisk chooser;
        QComboBox *box = chooser.comboBox();
        QCOMPARE(box->count(), 3);
        QCOMPARE(box->itemText(0), QString("/"));
        QCOMPARE(box->itemText(1), QString("/media/anna/USB"));
        QCOMPARE(chooser.diskName()->text(), QString("盘符：无"));
        QVERIFY(chooser.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(chooser.windowFlags() & Qt::WindowStaysOnTopHint);
        m_volumes.add("/media/anna/LATE");
        chooser.setIconData("ico1", "0");
        QCOMPARE(box->count(), 3); // read once, at construction
    }

    void chooserStartsAtTheIconsDrive()
    {
        m_volumes.list.clear();
        m_volumes.add("/");
        m_volumes.add("/mnt/data");
        FormSelectDisk chooser;
        chooser.setIconData("ico1", "/mnt/data");
        QCOMPARE(chooser.diskName()->text(), QString("盘符：/mnt/data"));
        QCOMPARE(chooser.comboBox()->currentText(), QString("/mnt/data"));
        chooser.setIconData("ico2", "0");
        QCOMPARE(chooser.diskName()->text(), QString("盘符：无"));
        QCOMPARE(chooser.comboBox()->currentIndex(), -1);
        QCOMPARE(chooser.drive(), QString("0"));
    }

    void choosingShowsAtOnceAndSaves()
    {
        m_volumes.list.clear();
        m_volumes.add("/");
        m_volumes.add("/mnt/data");
        FormSelectDisk chooser;
        chooser.setIconData("ico1", "0");
        chooser.show();
        QSignalSpy saved(&chooser, &FormSelectDisk::setIconDisk);
        chooser.comboBox()->setCurrentIndex(1);
        QCOMPARE(chooser.diskName()->text(), QString("盘符：/mnt/data"));
        chooser.saveButton()->click();
        QCOMPARE(saved.count(), 1);
        QCOMPARE(saved.first().at(0).toString(), QString("ico1"));
        QCOMPARE(saved.first().at(1).toString(), QString("/mnt/data"));
        QVERIFY(chooser.isHidden());
    }

    void pickingTheDriveAlreadyShownIsAChoice()
    {
        m_volumes.list.clear();
        m_volumes.add("/");
        m_volumes.add("/mnt/data");
        FormSelectDisk chooser;
        chooser.setIconData("ico1", "0");
        // The list shows "/" without the user having chosen it...
        {
            const QSignalBlocker quiet(chooser.comboBox());
            chooser.comboBox()->setCurrentIndex(0);
        }
        QCOMPARE(chooser.drive(), QString("0"));
        // ...and the user picks that very entry: no index change, still a choice.
        emit chooser.comboBox()->activated(0);
        QCOMPARE(chooser.drive(), QString("/"));
        QSignalSpy saved(&chooser, &FormSelectDisk::setIconDisk);
        chooser.saveButton()->click();
        QCOMPARE(saved.count(), 1);
        QCOMPARE(saved.first().at(1).toString(), QString("/"));
    }

    void savingWithoutADriveSendsNothing()
    {
        m_volumes.list.clear();
        m_volumes.add("/");
        FormSelectDisk chooser;
        chooser.setIconData("ico1", "0");
        chooser.show();
        QSignalSpy saved(&chooser, &FormSelectDisk::setIconDisk);
        chooser.saveButton()->click();
        QCOMPARE(saved.count(), 0);
        QVERIFY(chooser.isVisible()); // the user can still choose
        QCOMPARE(chooser.diskName()->text(), QString("盘符：无"));
    }

    void savingUntouchedSendsTheGivenDrive()
    {
        m_volumes.list.clear();
        m_volumes.add("/");
        FormSelectDisk chooser;
        chooser.setIconData("ico1", "/media/gone"); // no longer mounted
        QSignalSpy saved(&chooser, &FormSelectDisk::setIconDisk);
        chooser.saveButton()->click();
        QCOMPARE(saved.count(), 1);
        QCOMPARE(saved.first().at(1).toString(), QString("/media/gone"));
    }

    void closingSendsNothing()
    {
        FormSelectDisk chooser;
        chooser.setIconData("ico1", "/");
        chooser.show();
        QSignalSpy saved(&chooser, &FormSelectDisk::setIconDisk);
        chooser.closeButton()->click();
        QVERIFY(chooser.isHidden());
        QCOMPARE(saved.count(), 0);
    }

    void chooserIsDraggedFromAnyPoint()
    {
        FormSelectDisk chooser;
        chooser.move(100, 100);
        chooser.show();
        const QPoint start = chooser.pos();
        QWidget *panel = chooser.findChild<QWidget *>("frame");
        QTest::mousePress(panel, Qt::LeftButton, {}, QPoint(150, 290));
        QMouseEvent move(QEvent::MouseMove, QPointF(180, 310), QPointF(180, 310),
                         QPointF(chooser.mapToGlobal(QPoint(180, 310))), Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(&chooser, &move);
        QCOMPARE(chooser.pos(), start + QPoint(30, 20));
        QTest::mouseRelease(panel, Qt::LeftButton, {}, QPoint(180, 310));
    }

};

ZV_TEST_MAIN(TestIconWindows)
#include "tst_iconwindows.moc"
