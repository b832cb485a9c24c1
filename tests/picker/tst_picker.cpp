// The colour picker under the offscreen platform: loupe arithmetic, the colour
// text, the mapping of desktop positions to picture pixels, and the grabber and
// colour view driven by synthetic events over a fake desktop picture.
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
#include <QFont>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>

Q_DECLARE_METATYPE(DesktopMap::Screen)

namespace {

class FakeGrab : public ScreenGrab
{
public:
    FakeGrab() { ScreenGrabService::install(this); }
    ~FakeGrab() override { ScreenGrabService::install(nullptr); }
    QPixmap grabDesktop() override
    {
        ++grabs;
        return picture;
    }
    QPixmap picture;
    int grabs = 0;
};

class FakeEnd : public ProgramEnd
{
public:
    FakeEnd() { ProgramEndService::install(this); }
    ~FakeEnd() override { ProgramEndService::install(nullptr); }
    void end(int code) override { codes << code; }
    QList<int> codes;
};

// Every pixel tells where it lies: red = x, green = y (both modulo 256), blue = tag.
QImage patternImage(const QSize &size, int tag)
{
    QImage img(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            img.setPixel(x, y, qRgb(x & 255, y & 255, tag));
    return img;
}

QColor patternAt(int x, int y, int tag)
{
    return QColor(x & 255, y & 255, tag);
}

void sendMouse(QWidget *w, QEvent::Type type, const QPoint &local, Qt::MouseButton button)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
    const QPointF global = w->mapToGlobal(local);
    QMouseEvent e(type, local, local, global, button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void click(QWidget *w, const QPoint &local, Qt::MouseButton button)
{
    sendMouse(w, QEvent::MouseButtonPress, local, button);
    sendMouse(w, QEvent::MouseButtonRelease, local, button);
}

QString field(FormColorView *v, const char *name)
{
    auto *e = v->findChild<QLineEdit *>(QLatin1String(name));
    return e ? e->text() : QStringLiteral("<missing>");
}

QString hint(FormColorView *v)
{
    return v->findChild<QLabel *>(QStringLiteral("tishi"))->text();
}

QPushButton *button(FormColorView *v, const char *name)
{
    return v->findChild<QPushButton *>(QLatin1String(name));
}

} // namespace

class TestPicker : public QObject
{
    Q_OBJECT

private:
    QSize desktop() const { return QGuiApplication::primaryScreen()->size(); }

private slots:
    void colorText_data();
    void colorText();
    void loupeGeometry_data();
    void loupeGeometry();
    void desktopMap_data();
    void desktopMap();
    void coverForScaledScreens();
    void roundMaskCutsCircle();

    void grabberCoversDesktop();
    void loupeFollowsPointer();
    void loupePaintsMagnifiedCircle();
    void pickShowsViewAndKeepsRunning();
    void pickTakesReleasePosition();
    void cancelBeforeViewEnds_data();
    void cancelBeforeViewEnds();
    void repickAndCancelKeepsView();
    void failedGrabEnds();

    void viewStartsWhite();
    void viewShowsColor_data();
    void viewShowsColor();
    void copyAndHint();
    void closeEndsProgram();
    void dragMovesView();
};

void TestPicker::colorText_data()
{
    QTest::addColumn<QColor>("color");
    QTest::addColumn<QString>("text");
    QTest::newRow("white") << QColor(255, 255, 255) << "#FFFFFF";
    QTest::newRow("black") << QColor(0, 0, 0) << "#000000";
    QTest::newRow("leading zero kept") << QColor(10, 171, 255) << "#0AABFF";
    QTest::newRow("one digit channels") << QColor(1, 15, 16) << "#010F10";
    QTest::newRow("upper case") << QColor(171, 205, 239) << "#ABCDEF";
    QTest::newRow("alpha ignored") << QColor(18, 52, 86, 7) << "#123456";
}

void TestPicker::colorText()
{
    QFETCH(QColor, color);
    QFETCH(QString, text);
    QCOMPARE(::colorText(color), text);
}

void TestPicker::loupeGeometry_data()
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
    QTest::newRow("near top left") << QPoint(5, 5) << QPoint(5, 5) << s << QRect(0, 0, 16, 16)
                                   << QRect(1, 1, 64, 64) << QPoint(-29, 56);
    // A full square, yet the lens would start left of the desktop.
    QTest::newRow("close to left edge") << QPoint(30, 300) << QPoint(30, 300) << s << QRect(20, 290, 21, 21)
                                        << QRect(1, 258, 84, 84) << QPoint(-4, 351);
    QTest::newRow("right edge") << QPoint(799, 300) << QPoint(799, 300) << s << QRect(789, 290, 11, 21)
                                << QRect(777, 258, 44, 84) << QPoint(765, 351);
    QTest::newRow("bottom right corner") << QPoint(799, 599) << QPoint(799, 599) << s
                                         << QRect(789, 589, 11, 11) << QRect(777, 577, 44, 44)
                                         << QPoint(765, 650);
    QTest::newRow("top right corner") << QPoint(799, 0) << QPoint(799, 0) << s << QRect(789, 0, 11, 11)
                                      << QRect(777, 1, 44, 44) << QPoint(765, 51);
    // Two device pixels per unit: the square is taken around the device pixel,
    // the lens stands around the pointer.
    QTest::newRow("ratio 2") << QPoint(150, 100) << QPoint(301, 201) << QSize(1280, 800)
                             << QRect(291, 191, 21, 21) << QRect(108, 58, 84, 84) << QPoint(116, 151);
    QTest::newRow("ratio 2 right edge") << QPoint(639, 399) << QPoint(1279, 799) << QSize(1280, 800)
                                        << QRect(1269, 789, 11, 11) << QRect(617, 377, 44, 44)
                                        << QPoint(605, 450);
    QTest::newRow("off the picture") << QPoint(900, 300) << QPoint(900, 300) << s << QRect()
                                     << QRect(900, 300, 0, 0) << QPoint(866, 351);
}

void TestPicker::loupeGeometry()
{
    QFETCH(QPoint, pointer);
    QFETCH(QPoint, pixel);
    QFETCH(QSize, picture);
    QFETCH(QRect, source);
    QFETCH(QRect, lens);
    QFETCH(QPoint, label);

    const Loupe l = Loupe::at(pointer, pixel, picture, 68);
    QCOMPARE(l.source.isEmpty(), source.isEmpty());
    if (!source.isEmpty())
        QCOMPARE(l.source, source);
    QCOMPARE(l.lens, lens);
    QCOMPARE(l.ring, QRect(lens.topLeft() - QPoint(4, 4), QSize(92, 92)));
    QCOMPARE(l.marker, QRect(pointer - QPoint(2, 2), QSize(4, 4)));
    QCOMPARE(l.label, label);
}

void TestPicker::desktopMap_data()
{
    QTest::addColumn<QVector<DesktopMap::Screen>>("screens");
    QTest::addColumn<QPointF>("position");
    QTest::addColumn<QPoint>("pixel");

    const QVector<DesktopMap::Screen> one { { QRect(0, 0, 1280, 800), 1.0 } };
    const QVector<DesktopMap::Screen> double_ { { QRect(0, 0, 640, 400), 2.0 } };
    const QVector<DesktopMap::Screen> oneAndHalf { { QRect(0, 0, 853, 533), 1.5 } };
    // A scaled screen on the left, a plain one at device pixel 1280 on its right.
    const QVector<DesktopMap::Screen> mixed { { QRect(0, 0, 640, 400), 2.0 }, { QRect(1280, 0, 1024, 768), 1.0 } };

    QTest::newRow("ratio 1") << one << QPointF(301, 201) << QPoint(301, 201);
    QTest::newRow("ratio 1 corner") << one << QPointF(1279, 799) << QPoint(1279, 799);
    QTest::newRow("ratio 2 even") << double_ << QPointF(150, 100) << QPoint(300, 200);
    QTest::newRow("ratio 2 odd") << double_ << QPointF(150.5, 100.5) << QPoint(301, 201);
    QTest::newRow("ratio 2 last pixel") << double_ << QPointF(639.5, 399.5) << QPoint(1279, 799);
    QTest::newRow("ratio 1.5") << oneAndHalf << QPointF(301 / 1.5, 201 / 1.5) << QPoint(301, 201);
    QTest::newRow("ratio 1.5 far") << oneAndHalf << QPointF(1279 / 1.5, 799 / 1.5) << QPoint(1279, 799);
    QTest::newRow("mixed left") << mixed << QPointF(639.5, 10) << QPoint(1279, 20);
    QTest::newRow("mixed right") << mixed << QPointF(1500, 300) << QPoint(1500, 300);
    QTest::newRow("mixed right origin") << mixed << QPointF(1280, 0) << QPoint(1280, 0);
    // Between the screens (the gap Qt leaves right of a scaled screen): the nearest one.
    QTest::newRow("mixed gap") << mixed << QPointF(700, 10) << QPoint(1400, 20);
    QTest::newRow("no screens") << QVector<DesktopMap::Screen>() << QPointF(12.4, 7.6) << QPoint(12, 8);
}

void TestPicker::desktopMap()
{
    QFETCH(QVector<DesktopMap::Screen>, screens);
    QFETCH(QPointF, position);
    QFETCH(QPoint, pixel);
    QCOMPARE(DesktopMap(screens).pixelAt(position), pixel);
}

void TestPicker::coverForScaledScreens()
{
    QCOMPARE(DesktopMap({ { QRect(0, 0, 1280, 800), 1.0 } }).coverFor(QSize(1280, 800), QPoint()), QSize(1280, 800));
    QCOMPARE(DesktopMap({ { QRect(0, 0, 640, 400), 2.0 } }).coverFor(QSize(1280, 800), QPoint()), QSize(640, 400));
    // A fraction left over still needs a unit to cover the last pixels.
    QCOMPARE(DesktopMap({ { QRect(0, 0, 853, 533), 1.5 } }).coverFor(QSize(1280, 800), QPoint()), QSize(854, 534));
    QCOMPARE(DesktopMap({ { QRect(0, 0, 853, 533), 1.5 } }).ratioAt(QPoint(10, 10)), 1.5);
}

void TestPicker::roundMaskCutsCircle()
{
    QVERIFY(Widget::roundMask(QPixmap(), 10).isNull());

    QPixmap square(84, 84);
    square.fill(Qt::red);
    const QImage masked = Widget::roundMask(square, 42).toImage();
    QCOMPARE(masked.size(), QSize(84, 84));
    for (const QPoint corner : { QPoint(0, 0), QPoint(83, 0), QPoint(0, 83), QPoint(83, 83), QPoint(6, 6) })
        QVERIFY2(qAlpha(masked.pixel(corner)) == 0, qPrintable(QString("corner %1,%2").arg(corner.x()).arg(corner.y())));
    for (const QPoint inside : { QPoint(42, 42), QPoint(1, 42), QPoint(42, 1), QPoint(82, 42), QPoint(42, 82) })
        QCOMPARE(QColor::fromRgba(masked.pixel(inside)), QColor(Qt::red));

    // Pictures for screens with two device pixels per unit are masked in their own pixels.
    QPixmap sharp(168, 168);
    sharp.fill(Qt::blue);
    sharp.setDevicePixelRatio(2);
    const QImage sharpMasked = Widget::roundMask(sharp, 42).toImage();
    QCOMPARE(qAlpha(sharpMasked.pixel(10, 10)), 0);
    QCOMPARE(QColor::fromRgba(sharpMasked.pixel(2, 84)), QColor(Qt::blue));
}

void TestPicker::grabberCoversDesktop()
{
    FakeGrab grab;
    grab.picture = QPixmap::fromImage(patternImage(desktop(), 1));
    FakeEnd end;
    QCursor::setPos(200, 100);

    Widget w;
    QCOMPARE(grab.grabs, 1);
    QVERIFY(w.isVisible());
    QCOMPARE(w.geometry(), QRect(QPoint(0, 0), desktop()));
    QCOMPARE(QWidget::keyboardGrabber(), &w);
    QVERIFY(!w.colorView()->isVisible());
    // Already on the pointer before any move.
    QCOMPARE(w.label()->text(), ::colorText(patternAt(200, 100, 1)));
    QVERIFY(end.codes.isEmpty());
}

void TestPicker::loupeFollowsPointer()
{
    FakeGrab grab;
    grab.picture = QPixmap::fromImage(patternImage(desktop(), 2));
    FakeEnd end;
    Widget w;

    sendMouse(&w, QEvent::MouseMove, QPoint(300, 200), Qt::NoButton);
    QCOMPARE(w.currentColor(), patternAt(300, 200, 2));
    QCOMPARE(w.label()->text(), ::colorText(patternAt(300, 200, 2)));
    QCOMPARE(w.label()->pos(), QPoint(300 - 34, 251));

    sendMouse(&w, QEvent::MouseMove, QPoint(0, 0), Qt::NoButton);
    QCOMPARE(w.label()->text(), QStringLiteral("#000002"));
    QCOMPARE(w.label()->pos(), QPoint(-34, 51));
}

void TestPicker::loupePaintsMagnifiedCircle()
{
    FakeGrab grab;
    grab.picture = QPixmap::fromImage(patternImage(desktop(), 3));
    FakeEnd end;
    Widget w;
    sendMouse(&w, QEvent::MouseMove, QPoint(100, 100), Qt::NoButton);

    const QImage shot = w.grab().toImage();
    // The lens starts at (58, 58) and shows pixels 90 to 110, each as a 4 x 4 block.
    QCOMPARE(shot.pixelColor(58 + 4 * 13 + 1, 58 + 4 * 10 + 2), patternAt(103, 100, 3));
    QCOMPARE(shot.pixelColor(58 + 4 * 7 + 3, 58 + 4 * 16 + 0), patternAt(97, 106, 3));
    // Outside the circle the frozen desktop shows as it is.
    QCOMPARE(shot.pixelColor(59, 59), patternAt(59, 59, 3));
    QCOMPARE(shot.pixelColor(400, 300), patternAt(400, 300, 3));
    // The marker frames the pointer's block: light on the top left, dark on the bottom right.
    QCOMPARE(shot.pixelColor(98, 98), QColor(Qt::white));
    QCOMPARE(shot.pixelColor(101, 101), QColor(Qt::black));
    QCOMPARE(shot.pixelColor(99, 99), patternAt(100, 100, 3));
}

void TestPicker::pickShowsViewAndKeepsRunning()
{
    FakeGrab grab;
    grab.picture = QPixmap::fromImage(patternImage(desktop(), 4));
    FakeEnd end;
    Widget w;

    sendMouse(&w, QEvent::MouseMove, QPoint(10, 171), Qt::NoButton);
    sendMouse(&w, QEvent::MouseButtonPress, QPoint(10, 171), Qt::LeftButton);
    QVERIFY(w.isVisible()); // a press alone picks nothing
    QVERIFY(!w.colorView()->isVisible());
    sendMouse(&w, QEvent::MouseButtonRelease, QPoint(10, 171), Qt::LeftButton);

    QVERIFY(!w.isVisible());
    QVERIFY(w.colorView()->isVisible());
    QCOMPARE(QWidget::keyboardGrabber(), nullptr);
    QCOMPARE(field(w.colorView(), "redEdit"), QStringLiteral("10"));
    QCOMPARE(field(w.colorView(), "greenEdit"), QStringLiteral("171"));
    QCOMPARE(field(w.colorView(), "blueEdit"), QStringLiteral("4"));
    QCOMPARE(field(w.colorView(), "hexEdit"), QStringLiteral("#0AAB04"));
    QVERIFY(end.codes.isEmpty());
}

void TestPicker::pickTakesReleasePosition()
{
    FakeGrab grab;
    grab.picture = QPixmap::fromImage(patternImage(desktop(), 5));
    FakeEnd end;
    QCursor::setPos(5, 5);
    Widget w;
    // No move arrives before the click: the colour is still the one under the click.
    click(&w, QPoint(255, 16), Qt::LeftButton);
    QCOMPARE(field(w.colorView(), "hexEdit"), QStringLiteral("#FF1005"));
}

void TestPicker::cancelBeforeViewEnds_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("escape") << true;
    QTest::newRow("right click") << false;
}

void TestPicker::cancelBeforeViewEnds()
{
    QFETCH(bool, escape);
    FakeGrab grab;
    grab.picture = QPixmap::fromImage(patternImage(desktop(), 6));
    FakeEnd end;
    Widget w;

    QTest::keyClick(&w, Qt::Key_A); // other keys do nothing
    QVERIFY(w.isVisible());
    if (escape)
        QTest::keyClick(&w, Qt::Key_Escape);
    else
        click(&w, QPoint(50, 50), Qt::RightButton);

    QVERIFY(!w.isVisible());
    QVERIFY(!w.colorView()->isVisible());
    QCOMPARE(QWidget::keyboardGrabber(), nullptr);
    QCOMPARE(end.codes, QList<int>{ 0 });
}

void TestPicker::repickAndCancelKeepsView()
{
    FakeGrab grab;
    grab.picture = QPixmap::fromImage(patternImage(desktop(), 7));
    FakeEnd end;
    Widget w;
    click(&w, QPoint(20, 30), Qt::LeftButton);
    FormColorView *view = w.colorView();
    QCOMPARE(field(view, "hexEdit"), QStringLiteral("#141E07"));
    QTest::mouseClick(button(view, "copyButton"), Qt::LeftButton);
    QVERIFY(!hint(view).isEmpty());

    // Pick again: a new picture, the view stays up, the hint goes.
    grab.picture = QPixmap::fromImage(patternImage(desktop(), 8));
    QTest::mouseClick(button(view, "colorButton"), Qt::LeftButton);
    QCOMPARE(grab.grabs, 2);
    QVERIFY(w.isVisible());
    QVERIFY(view->isVisible());
    QCOMPARE(QWidget::keyboardGrabber(), &w);
    QVERIFY(hint(view).isEmpty());

    // Cancelling this pick leaves the view and its colour alone, and the program running.
    QTest::keyClick(&w, Qt::Key_Escape);
    QVERIFY(!w.isVisible());
    QVERIFY(view->isVisible());
    QCOMPARE(field(view, "hexEdit"), QStringLiteral("#141E07"));
    QVERIFY(end.codes.isEmpty());

    // The picture taken at a pick is the one picked from, not the live desktop.
    QTest::mouseClick(button(view, "colorButton"), Qt::LeftButton);
    grab.picture = QPixmap::fromImage(patternImage(desktop(), 9));
    sendMouse(&w, QEvent::MouseMove, QPoint(40, 50), Qt::NoButton);
    click(&w, QPoint(40, 50), Qt::LeftButton);
    QCOMPARE(field(view, "hexEdit"), QStringLiteral("#283208"));
    QVERIFY(!w.isVisible());
    QVERIFY(view->isVisible());
    QVERIFY(end.codes.isEmpty());
}

void TestPicker::failedGrabEnds()
{
    FakeGrab grab; // a null picture
    FakeEnd end;
    Widget w;
    QVERIFY(!w.isVisible());
    QCOMPARE(QWidget::keyboardGrabber(), nullptr);
    QCOMPARE(end.codes, QList<int>{ 0 });
}

void TestPicker::viewStartsWhite()
{
    FormColorView v;
    QVERIFY(!v.isVisible());
    QCOMPARE(field(&v, "redEdit"), QStringLiteral("255"));
    QCOMPARE(field(&v, "greenEdit"), QStringLiteral("255"));
    QCOMPARE(field(&v, "blueEdit"), QStringLiteral("255"));
    QCOMPARE(field(&v, "hexEdit"), QStringLiteral("#FFFFFF"));
    QVERIFY(hint(&v).isEmpty());
    const QString swatch = v.findChild<QLabel *>(QStringLiteral("colorView"))->styleSheet();
    QVERIFY(swatch.contains(QStringLiteral("background-color: rgb(255, 255, 255);")));
    // The pictures the style sheets name are in the resources.
    for (const char *picture : { ":/image/c0.png", ":/image/c1.png", ":/image/magnifier.png", ":/image/center_rect.png" })
        QVERIFY2(!QPixmap(QLatin1String(picture)).isNull(), picture);
}

void TestPicker::viewShowsColor_data()
{
    QTest::addColumn<QColor>("color");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("black") << QColor(0, 0, 0) << QStringList { "0", "0", "0", "#000000" };
    QTest::newRow("small channel") << QColor(10, 171, 255) << QStringList { "10", "171", "255", "#0AABFF" };
    QTest::newRow("white") << QColor(255, 255, 255) << QStringList { "255", "255", "255", "#FFFFFF" };
    QTest::newRow("mixed") << QColor(255, 0, 9) << QStringList { "255", "0", "9", "#FF0009" };
}

void TestPicker::viewShowsColor()
{
    QFETCH(QColor, color);
    QFETCH(QStringList, fields);
    FormColorView v;
    v.setColor(color);
    QCOMPARE((QStringList { field(&v, "redEdit"), field(&v, "greenEdit"), field(&v, "blueEdit"), field(&v, "hexEdit") }),
             fields);
    const QString swatch = v.findChild<QLabel *>(QStringLiteral("colorView"))->styleSheet();
    QVERIFY2(swatch.endsWith(QStringLiteral("background-color:") + fields.last() + QStringLiteral(";}")),
             qPrintable(swatch));
}

void TestPicker::copyAndHint()
{
    FormColorView v;
    v.show();
    QSignalSpy picks(&v, &FormColorView::ColorPicking);
    v.setColor(QColor(10, 171, 255));
    QApplication::clipboard()->clear();

    QTest::mouseClick(button(&v, "copyButton"), Qt::LeftButton);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("#0AABFF"));
    QCOMPARE(hint(&v), QStringLiteral("已经复制到剪贴板！"));
    QTest::mouseClick(button(&v, "copyButton"), Qt::LeftButton);
    QCOMPARE(hint(&v), QStringLiteral("已经复制到剪贴板！"));

    // A new colour keeps the hint; only picking again clears it.
    v.setColor(QColor(0, 0, 0));
    QCOMPARE(hint(&v), QStringLiteral("已经复制到剪贴板！"));
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("#0AABFF"));
    QTest::mouseClick(button(&v, "colorButton"), Qt::LeftButton);
    QCOMPARE(picks.count(), 1);
    QVERIFY(hint(&v).isEmpty());
    QVERIFY(v.isVisible());

    QTest::mouseClick(button(&v, "copyButton"), Qt::LeftButton);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("#000000"));
}

void TestPicker::closeEndsProgram()
{
    FakeEnd end;
    FormColorView v;
    v.show();
    QTest::mouseClick(button(&v, "close"), Qt::LeftButton);
    QVERIFY(!v.isVisible());
    QCOMPARE(end.codes, QList<int>{ 0 });
}

void TestPicker::dragMovesView()
{
    FormColorView v;
    v.move(100, 100);
    v.show();
    auto sendGlobal = [&](QWidget *target, QEvent::Type type, const QPoint &global, Qt::MouseButton b) {
        const QPoint local = target->mapFromGlobal(global);
        QMouseEvent e(type, local, local, global, b,
                      type == QEvent::MouseMove && b != Qt::NoButton ? Qt::MouseButtons(b) : Qt::MouseButtons(),
                      Qt::NoModifier);
        QApplication::sendEvent(target, &e);
    };

    // Pressing the title and moving drags the window along.
    sendGlobal(&v, QEvent::MouseButtonPress, QPoint(150, 110), Qt::LeftButton);
    sendGlobal(&v, QEvent::MouseMove, QPoint(180, 140), Qt::LeftButton);
    QCOMPARE(v.pos(), QPoint(130, 130));
    sendGlobal(&v, QEvent::MouseMove, QPoint(160, 100), Qt::LeftButton);
    QCOMPARE(v.pos(), QPoint(110, 90));
    sendGlobal(&v, QEvent::MouseButtonRelease, QPoint(160, 100), Qt::LeftButton);
    sendGlobal(&v, QEvent::MouseMove, QPoint(300, 300), Qt::NoButton);
    QCOMPARE(v.pos(), QPoint(110, 90));

    // A right press moves nothing.
    sendGlobal(&v, QEvent::MouseButtonPress, QPoint(150, 110), Qt::RightButton);
    sendGlobal(&v, QEvent::MouseMove, QPoint(200, 200), Qt::RightButton);
    QCOMPARE(v.pos(), QPoint(110, 90));
    sendGlobal(&v, QEvent::MouseButtonRelease, QPoint(200, 200), Qt::RightButton);

    // A press on a button stays with the button.
    QPushButton *copy = button(&v, "copyButton");
    QTest::mousePress(copy, Qt::LeftButton);
    sendGlobal(&v, QEvent::MouseMove, QPoint(400, 400), Qt::LeftButton);
    QCOMPARE(v.pos(), QPoint(110, 90));
    QTest::mouseRelease(copy, Qt::LeftButton);
}

ZV_TEST_MAIN(TestPicker)
#include "tst_picker.moc"
