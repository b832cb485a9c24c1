// The colour picker offscreen: loupe arithmetic, colour text, desktop positions to
// picture pixels, and the grabber and colour view over a fake desktop picture.
#include "picker/clipboardkeeper.h"
#include "picker/colortext.h"
#include "picker/desktopmap.h"
#include "picker/formcolorview.h"
#include "picker/loupe.h"
#include "picker/programend.h"
#include "picker/screengrab.h"
#include "picker/widget.h"
#include "testenv.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

Q_DECLARE_METATYPE(DesktopMap::Screen)

namespace {

// A desktop picture in which every pixel tells its place: red = x, green = y
// (both modulo 256), blue = a tag telling one picture from another.
struct FakeGrab : ScreenGrab
{
    FakeGrab() { ScreenGrabService::install(this); }
    ~FakeGrab() override { ScreenGrabService::install(nullptr); }
    QPixmap grabDesktop() override { return ++grabs, picture; }
    void paint(int tag)
    {
        QImage img(QGuiApplication::primaryScreen()->size(), QImage::Format_RGB32);
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                img.setPixel(x, y, qRgb(x & 255, y & 255, tag));
        picture = QPixmap::fromImage(img);
    }
    QPixmap picture;
    int grabs = 0;
};

struct FakeEnd : ProgramEnd
{
    FakeEnd() { ProgramEndService::install(this); }
    ~FakeEnd() override { ProgramEndService::install(nullptr); }
    void end(int code) override { codes << code; }
    QList<int> codes;
};

struct FakeKeeper : ClipboardKeeper
{
    explicit FakeKeeper(bool lose) : lose(lose) { ClipboardKeeperService::install(this); }
    ~FakeKeeper() override { ClipboardKeeperService::install(nullptr); }
    bool endWouldLoseClipboard() override { return lose; }
    bool lose;
};

void mouse(QWidget *w, QEvent::Type type, const QPoint &at, Qt::MouseButton b = Qt::NoButton)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(b);
    QMouseEvent e(type, at, w->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : b, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// The view's red, green, blue and hex fields, then its hint.
QStringList fields(FormColorView *v)
{
    QStringList out;
    for (const char *name : { "redEdit", "greenEdit", "blueEdit", "hexEdit" })
        out << v->findChild<QLineEdit *>(name)->text();
    return out << v->findChild<QLabel *>("tishi")->text();
}

void press(FormColorView *v, const char *button)
{
    QTest::mouseClick(v->findChild<QPushButton *>(button), Qt::LeftButton);
}

} // namespace

class TestPicker : public QObject
{
    Q_OBJECT
private slots:
    // Two digits a channel, capitals, and no alpha.
    void colorText() { QCOMPARE(::colorText(QColor(1, 15, 255, 7)), QString("#010FFF")); }

    void loupeGeometry_data()
    {
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<QPoint>("pixel");
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QRect>("source");
        QTest::addColumn<QRect>("lens");
        QTest::addColumn<QPoint>("label");
        const QSize s(800, 600);
        QTest::newRow("middle") << QPoint(400, 300) << QPoint(400, 300) << s << QRect(390, 290, 21, 21)
                                << QRect(358, 258, 84, 84) << QPoint(366, 351);
        QTest::newRow("top left corner") << QPoint(0, 0) << QPoint(0, 0) << s << QRect(0, 0, 11, 11)
                                         << QRect(1, 1, 44, 44) << QPoint(-34, 51);
        // A full square, yet the lens would start left of the desktop.
        QTest::newRow("close to left edge") << QPoint(30, 300) << QPoint(30, 300) << s << QRect(20, 290, 21, 21)
                                            << QRect(1, 258, 84, 84) << QPoint(-4, 351);
        QTest::newRow("bottom right corner") << QPoint(799, 599) << QPoint(799, 599) << s << QRect(789, 589, 11, 11)
                                             << QRect(777, 577, 44, 44) << QPoint(765, 650);
        // Two device pixels per unit: the square is taken around the device
        // pixel, the lens stands around the pointer.
        QTest::newRow("ratio 2 right edge") << QPoint(639, 399) << QPoint(1279, 799) << QSize(1280, 800)
                                            << QRect(1269, 789, 11, 11) << QRect(617, 377, 44, 44) << QPoint(605, 450);
        QTest::newRow("off the picture") << QPoint(900, 300) << QPoint(900, 300) << s << QRect()
                                         << QRect(900, 300, 0, 0) << QPoint(866, 351);
    }
    void loupeGeometry()
    {
        QFETCH(QPoint, pointer);
        QFETCH(QPoint, pixel);
        QFETCH(QSize, picture);
        QFETCH(QRect, source);
        QFETCH(QRect, lens);
        QFETCH(QPoint, label);
        const Loupe l = Loupe::at(pointer, pixel, picture, 68);
        QCOMPARE(l.source.isEmpty() ? QRect() : l.source, source);
        QCOMPARE(l.lens, lens);
        QCOMPARE(l.ring, QRect(lens.topLeft() - QPoint(4, 4), QSize(92, 92)));
        QCOMPARE(l.marker, QRect(pointer - QPoint(2, 2), QSize(4, 4)));
        QCOMPARE(l.label, label);
    }

    void desktopMap_data()
    {
        QTest::addColumn<QVector<DesktopMap::Screen>>("screens");
        QTest::addColumn<QPointF>("position");
        QTest::addColumn<QPoint>("pixel");
        const QVector<DesktopMap::Screen> oneAndHalf { { QRect(0, 0, 853, 533), 1.5 } };
        // A scaled screen on the left, a plain one at device pixel 1280 on its right.
        const QVector<DesktopMap::Screen> mixed { { QRect(0, 0, 640, 400), 2.0 }, { QRect(1280, 0, 1024, 768), 1.0 } };
        QTest::newRow("ratio 1.5 far") << oneAndHalf << QPointF(1279 / 1.5, 799 / 1.5) << QPoint(1279, 799);
        QTest::newRow("mixed left") << mixed << QPointF(639.5, 10) << QPoint(1279, 20);
        // Between the screens (the gap Qt leaves right of a scaled screen): the nearest one.
        QTest::newRow("mixed gap") << mixed << QPointF(700, 10) << QPoint(1400, 20);
        QTest::newRow("no screens") << QVector<DesktopMap::Screen>() << QPointF(12.4, 7.6) << QPoint(12, 8);
    }
    void desktopMap()
    {
        QFETCH(QVector<DesktopMap::Screen>, screens);
        QFETCH(QPointF, position);
        QFETCH(QPoint, pixel);
        QCOMPARE(DesktopMap(screens).pixelAt(position), pixel);
    }

    void scaledPictures()
    {
        // A fraction left over still needs a unit to cover the last pixels.
        QCOMPARE(DesktopMap({ { QRect(0, 0, 853, 533), 1.5 } }).coverFor(QSize(1280, 800), QPoint()), QSize(854, 534));
        // The lens of a sharp picture is rounded in its own pixels.
        QPixmap sharp(168, 168);
        sharp.fill(Qt::blue);
        sharp.setDevicePixelRatio(2);
        const QImage masked = Widget::roundMask(sharp, 42).toImage();
        QCOMPARE(qAlpha(masked.pixel(10, 10)), 0);
        QCOMPARE(QColor::fromRgba(masked.pixel(2, 84)), QColor(Qt::blue));
    }

    void grabberPaintsTheLoupeOverTheFrozenDesktop()
    {
        FakeGrab grab;
        grab.paint(3);
        FakeEnd end;
        QCursor::setPos(200, 100);
        Widget w;
        QCOMPARE(grab.grabs, 1);
        QCOMPARE(w.geometry(), QRect(QPoint(0, 0), QGuiApplication::primaryScreen()->size()));
        QCOMPARE(QWidget::keyboardGrabber(), &w);
        QVERIFY(!w.colorView()->isVisible());
        QCOMPARE(w.label()->text(), QString("#C86403")); // on the pointer before any move

        mouse(&w, QEvent::MouseMove, QPoint(100, 100));
        QCOMPARE(w.label()->text(), QString("#646403"));
        const QImage shot = w.grab().toImage();
        // The lens starts at (58, 58) and shows pixels 90 to 110, each as a 4 x 4 block.
        QCOMPARE(shot.pixelColor(58 + 4 * 13 + 1, 58 + 4 * 10 + 2), QColor(103, 100, 3));
        QCOMPARE(shot.pixelColor(58 + 4 * 7 + 3, 58 + 4 * 16 + 0), QColor(97, 106, 3));
        QCOMPARE(shot.pixelColor(59, 59), QColor(59, 59, 3)); // outside the circle
        // The marker frames the pointer's block: light on the top left, dark on the bottom right.
        QCOMPARE(shot.pixelColor(98, 98), QColor(Qt::white));
        QCOMPARE(shot.pixelColor(101, 101), QColor(Qt::black));
    }

    // Before the first pick nothing is left to show: the program ends.
    void endsWithoutAPick_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("escape") << "escape";
        QTest::newRow("right click") << "right";
        QTest::newRow("no desktop picture") << "nothing";
    }
    void endsWithoutAPick()
    {
        QFETCH(QString, how);
        FakeGrab grab;
        if (how != "nothing")
            grab.paint(6);
        FakeEnd end;
        Widget w;
        QTest::keyClick(&w, Qt::Key_A); // other keys do nothing
        QCOMPARE(w.isVisible(), how != "nothing");
        if (how == "escape")
            QTest::keyClick(&w, Qt::Key_Escape);
        else if (how == "right")
            QTest::mouseClick(&w, Qt::RightButton, {}, QPoint(50, 50));
        QVERIFY(!w.isVisible() && !w.colorView()->isVisible());
        QCOMPARE(QWidget::keyboardGrabber(), nullptr);
        QCOMPARE(end.codes, QList<int> { 0 });
    }

    void pickCopyRepickCancelAndClose()
    {
        FakeGrab grab;
        grab.paint(7);
        FakeEnd end;
        QCursor::setPos(5, 5);
        Widget w;
        FormColorView *view = w.colorView();
        QCOMPARE(fields(view), (QStringList { "255", "255", "255", "#FFFFFF", "" }));
        mouse(&w, QEvent::MouseButtonPress, QPoint(20, 30), Qt::LeftButton);
        QVERIFY(w.isVisible() && !view->isVisible()); // a press alone picks nothing
        // No move came before: the colour is still the one under the release.
        mouse(&w, QEvent::MouseButtonRelease, QPoint(20, 30), Qt::LeftButton);
        QVERIFY(!w.isVisible() && view->isVisible());
        // Nothing places a window that bypasses the window manager: the
        // view first opens in the middle of the screen of the pick.
        QCOMPARE(view->geometry().center(), QGuiApplication::primaryScreen()->geometry().center());
        view->move(3, 4);
        QCOMPARE(QWidget::keyboardGrabber(), nullptr);
        QCOMPARE(fields(view), (QStringList { "20", "30", "7", "#141E07", "" }));
        QApplication::clipboard()->clear();
        press(view, "copyButton");
        QCOMPARE(QApplication::clipboard()->text(), QString("#141E07"));
        QCOMPARE(fields(view).last(), QString("已经复制到剪贴板！"));

        // Picking again takes a new picture and the keyboard; the view stays, its hint goes.
        grab.paint(8);
        press(view, "colorButton");
        QCOMPARE(grab.grabs, 2);
        QVERIFY(w.isVisible() && view->isVisible());
        QCOMPARE(QWidget::keyboardGrabber(), &w);
        QCOMPARE(fields(view), (QStringList { "20", "30", "7", "#141E07", "" }));
        // Cancelling this pick leaves the view, its colour and the program alone.
        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(!w.isVisible() && view->isVisible());
        QCOMPARE(fields(view).at(3), QString("#141E07"));
        QVERIFY(end.codes.isEmpty());

        // The picture taken at a pick is the one picked from, not the live desktop.
        press(view, "colorButton");
        grab.paint(9);
        QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(40, 50));
        QCOMPARE(view->pos(), QPoint(3, 4)); // where the user put it
        press(view, "copyButton");
        QCOMPARE(QApplication::clipboard()->text(), QString("#283208"));
        press(view, "close");
        QVERIFY(!view->isVisible());
        QCOMPARE(end.codes, QList<int> { 0 });
    }

    // Without a clipboard manager the picker outlives its windows as the
    // clipboard's owner, until another program takes the clipboard.
    void closingKeepsTheCopiedColour_data()
    {
        QTest::addColumn<bool>("wouldLose");
        QTest::newRow("a clipboard manager takes it") << false;
        QTest::newRow("no clipboard manager") << true;
    }
    void closingKeepsTheCopiedColour()
    {
        QFETCH(bool, wouldLose);
        FakeGrab grab;
        grab.paint(3);
        FakeEnd end;
        FakeKeeper keeper(wouldLose);
        Widget w;
        QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(17, 18));
        FormColorView *view = w.colorView();
        press(view, "copyButton");
        press(view, "close");
        QVERIFY(!view->isVisible() && !w.isVisible());
        QCOMPARE(end.codes, wouldLose ? QList<int>() : QList<int> { 0 });
        // The selection of the mouse is another clipboard; it does not count.
        QApplication::clipboard()->setText("selected", QClipboard::Selection);
        QCOMPARE(end.codes, wouldLose ? QList<int>() : QList<int> { 0 });
        QApplication::clipboard()->setText("another program's");
        QApplication::clipboard()->setText("and again");
        QCOMPARE(end.codes, QList<int> { 0 }); // once
    }
};

ZV_TEST_MAIN(TestPicker)
#include "tst_picker.moc"
