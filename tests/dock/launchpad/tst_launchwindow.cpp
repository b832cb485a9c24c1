// The launch pad window and what it shows: showing and closing, opening
// icons by class, the look settings and the background, the icon widget, and
// names shown as the text they are.
#include "padfixture.h"

#include "dock/launchpad/launchbackground.h"
#include "dock/launchpad/launchlookpanel.h"
#include "dock/launchpad/launchsearch.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMovie>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <sys/stat.h>

using namespace PadTest;

namespace {

bool reddish(const QImage &img)
{
    const QRgb p = img.pixel(img.width() / 2, img.height() / 2);
    return qRed(p) > 245 && qBlue(p) < 10;
}
bool bluish(const QImage &img)
{
    const QRgb p = img.pixel(img.width() / 2, img.height() / 2);
    return qBlue(p) > 245 && qRed(p) < 10;
}

} // namespace

class TestLaunchWindow : public QObject
{
    Q_OBJECT
    Services services;

private slots:
    void init()
    {
        reset();
        services.opener.paths.clear();
        services.opener.urls.clear();
        services.wallpaper.path.clear();
    }

    void showAndClose()
    {
        FormLaunchStarter pad;
        pad.placeOnScreen(0, 0, 1920, 1080);
        QSignalSpy closed(&pad, &FormLaunchStarter::LaunchPadClose);
        pad.toggleShow();
        QVERIFY(pad.isShown());
        QVERIFY(pad.isVisible());
        pad.toggleShow();
        QVERIFY(!pad.isShown());
        QTRY_VERIFY(!pad.isVisible()); // after the fade
        QCOMPARE(closed.count(), 1);
        pad.CloseShow(); // already closed
        QCOMPARE(closed.count(), 1);

        // Esc closes it, in edit mode too.
        pad.toggleShow();
        QTest::qWait(1);
        pad.editing()->showBadges();
        QTest::keyClick(&pad, Qt::Key_Escape);
        QVERIFY(!pad.isShown());
        QVERIFY(!pad.editing()->isEditMode());
        QTRY_COMPARE(closed.count(), 2);

        // A show during the fade-out of a close stays shown.
        pad.toggleShow();
        pad.toggleShow();
        pad.toggleShow();
        QTest::qWait(200);
        QVERIFY(pad.isShown());
        QVERIFY(pad.isVisible());

        // A click on empty space closes it; the time label takes the dock's text.
        pad.setTimeText("9:41 AM");
        QCOMPARE(pad.findChild<QLabel *>("time")->text(), QString("9:41 AM"));
        pad.findChild<QPushButton *>("closeButton2")->click();
        QVERIFY(!pad.isShown());
    }

    void openingByClass_data()
    {
        QTest::addColumn<QString>("cl");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("tool");   // what the dock is asked to open
        QTest::addColumn<QString>("opened"); // what the opener gets
        QTest::newRow("search") << "SEARCH" << "0" << "SEARCH" << "";
        QTest::newRow("weather") << "WEATHER" << "0" << "WEATHER" << "";
        QTest::newRow("calculator") << "CALCULATOR" << "0" << "CALCULATOR" << "";
        QTest::newRow("menu") << "MENU" << "0" << "" << "";
        QTest::newRow("computer") << "COMPUTER" << "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}" << ""
                                  << "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
        QTest::newRow("program") << "ICON" << "/usr/bin/x" << "" << "/usr/bin/x";
        QTest::newRow("web") << "URL" << "example.org/a b" << "" << "url";
    }
    void openingByClass()
    {
        QFETCH(QString, cl);
        QFETCH(QString, path);
        QFETCH(QString, tool);
        QFETCH(QString, opened);
        writePad({ { "icoX", Pic, "x", cl, path, Pic } });
        FormLaunchStarter pad;
        open(pad);
        QSignalSpy tools(&pad, &FormLaunchStarter::IconOpens);
        Pointer(pad).click(on(pad, "icoX", 80));
        QVERIFY(!pad.isShown()); // it always starts closing
        QCOMPARE(tools.count(), tool.isEmpty() ? 0 : 1);
        if (!tool.isEmpty())
            QCOMPARE(tools.first().first().toString(), tool);
        if (opened == "url")
            QCOMPARE(services.opener.urls, QList<QUrl> { QUrl("example.org/a b", QUrl::TolerantMode) });
        else
            QCOMPARE(services.opener.paths, opened.isEmpty() ? QStringList() : QStringList { opened });
    }

    // The colour picker must not see the pad: it is gone before the dock hears.
    void colourPickerHidesThePadFirst()
    {
        writePad({ { "icoP", Pic, "p", "COLORPICKER", "0", Pic } });
        FormLaunchStarter pad;
        open(pad);
        QStringList order;
        connect(&pad, &FormLaunchStarter::LaunchPadClose, this, [&] { order << "close"; });
        connect(&pad, &FormLaunchStarter::IconOpens, this, [&](QString cl) {
            order << cl + (pad.isVisible() ? " shown" : " hidden");
        });
        pad.IconOpen("icoP");
        QCOMPARE(order, (QStringList { "close", "COLORPICKER hidden" }));
    }

    void brightnessSheets_data()
    {
        QTest::addColumn<int>("p");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("colour");
        QTest::newRow("black") << 0 << "-100%" << "rgba(0,0,0,100%)";
        QTest::newRow("none") << 100 << "0%" << "rgba(0,0,0,0)";
        QTest::newRow("white") << 200 << "100%" << "rgba(255,255,255,100%)";
        QTest::newRow("a little") << 135 << "35%" << "rgba(255,255,255,35%)";
    }
    void brightnessSheets()
    {
        QFETCH(int, p);
        QFETCH(QString, label);
        QFETCH(QString, colour);
        QCOMPARE(LaunchStyle::brightnessText(p), label);
        QCOMPARE(LaunchStyle::brightnessSheet(p),
                 "QPushButton{border-image: url();background-image: url();background-color: " + colour
                     + ";border-radius:0px;border:0px;border-style:solid;border-color: #535B6F;}");
    }

    // Stored values outside the sliders' ranges are brought inside them.
    void storedValuesAreClamped()
    {
        TestConfig::writeIni("[LaunchPad]\nIconSize=999\nBlurry=abc\nluminance=-5\nBackground=true\n"
                             "BackgroundImage=/x/own.jpg\nNameColor=not a colour\n");
        FormLaunchStarter pad;
        pad.placeOnScreen(0, 0, 1920, 1080);
        const LaunchLook &look = pad.lookPanel()->look();
        QCOMPARE(look.iconSize, 256);
        QCOMPARE(look.blurRadius, 0);
        QCOMPARE(look.brightness, 0);
        QCOMPARE(look.nameColor, QString("#FFFFFF"));
        QCOMPARE(pad.findChild<QSlider *>("horizontalSliderSize")->value(), 256);
        QCOMPARE(pad.grid()->geometry().iconSize, 256);
        QCOMPARE(icon(pad, "ico000001")->size(), QSize(256, 256));
        QVERIFY(look.useBackgroundImage);
        QCOMPARE(pad.findChild<QLabel *>("labelImg")->text(), QString("own.jpg"));
        QVERIFY(pad.findChild<QPushButton *>("imgButtonS")->isEnabled());
    }

    void lookIsSavedOnClose()
    {
        FormLaunchStarter pad;
        open(pad);
        pad.findChild<QPushButton *>("black")->click();
        QCOMPARE(icon(pad, "ico000001")->nameColor(), QString("#000000"));
        QVERIFY(pad.findChild<QPushButton *>("black")->styleSheet().startsWith(
            "QPushButton{border-image: url(:/image/menu/black1.png)"));
        QVERIFY(pad.findChild<QPushButton *>("white")->styleSheet().startsWith(
            "QPushButton{border-image: url(:/image/menu/white.png)"));
        pad.findChild<QSlider *>("horizontalSliderSize")->setValue(100);
        QCOMPARE(pad.findChild<QLabel *>("labelSize")->text(), QString("100px"));
        QCOMPARE(icon(pad, "ico000001")->size(), QSize(100, 100));
        QCOMPARE(icon(pad, "ico000003")->x(), 100 + (1536 - 700) / 6);
        QVERIFY(!TestConfig::stored("LaunchPad/IconSize").isValid()); // nothing written before a close
        pad.CloseShow();
        QCOMPARE(TestConfig::stored("LaunchPad/NameColor").toString(), QString("#000000"));
        QCOMPARE(TestConfig::stored("LaunchPad/IconSize").toString(), QString("100"));
        QCOMPARE(TestConfig::stored("LaunchPad/luminance").toString(), QString("90"));
        QCOMPARE(TestConfig::stored("LaunchPad/Background").toString(), QString("false"));

        FormLaunchStarter again; // names black, no button marked
        again.placeOnScreen(0, 0, 1920, 1080);
        QCOMPARE(icon(again, "ico000001")->nameColor(), QString("#000000"));
        QVERIFY(again.findChild<QPushButton *>("black")->styleSheet().startsWith(
            "QPushButton{border-image: url(:/image/menu/black.png)"));

        // The panel: its own close button saves too; the tool bar opens it once.
        again.findChild<QPushButton *>("setSysButton")->click();
        QVERIFY(!again.findChild<QFrame *>("frameLSet")->isHidden());
        again.findChild<QSlider *>("horizontalSliderBrightness")->setValue(150);
        QCOMPARE(again.findChild<QPushButton *>("closeButton")->styleSheet(), LaunchStyle::brightnessSheet(150));
        again.findChild<QPushButton *>("SetClose")->click();
        QVERIFY(again.findChild<QFrame *>("frameLSet")->isHidden());
        QCOMPARE(TestConfig::stored("LaunchPad/luminance").toString(), QString("150"));
    }

    // The wallpaper, or the own picture, blurred once into the background.
    void background()
    {
        QTemporaryDir dir;
        QImage red(64, 32, QImage::Format_RGB32);
        red.fill(Qt::red);
        services.wallpaper.path = dir.path() + "/wall.png";
        QVERIFY(red.save(services.wallpaper.path));
        QImage blue(32, 32, QImage::Format_RGB32);
        blue.fill(Qt::blue);
        const QString own = dir.path() + "/own.png";
        QVERIFY(blue.save(own));

        FormLaunchStarter pad;
        pad.placeOnScreen(0, 0, 400, 300);
        LaunchBackground *bg = pad.background();
        QTRY_VERIFY(!bg->image().isNull());
        QCOMPARE(bg->image().size(), QSize(500, 400));
        QVERIFY(reddish(bg->image()));

        pad.findChild<QCheckBox *>("imgButton")->click(); // on, but no picture chosen: the wallpaper stays
        QTest::qWait(20);
        QVERIFY(reddish(bg->image()));
        services.dialogs.files = QStringList { own };
        pad.findChild<QPushButton *>("imgButtonS")->click();
        QVERIFY(bluish(bg->image()));
        pad.findChild<QCheckBox *>("imgButton")->click(); // off: the wallpaper again
        QTRY_VERIFY(reddish(bg->image()));

        // No wallpaper anywhere: a plain background.
        services.wallpaper.path.clear();
        pad.showBackground();
        QTRY_VERIFY(bg->image().isNull());
    }

    void coverAndBlur()
    {
        QImage wide(200, 100, QImage::Format_RGB32);
        wide.fill(Qt::white);
        for (int y = 0; y < 100; ++y)
            wide.setPixel(120, y, qRgb(0, 0, 0));
        const QImage c = LaunchBackground::cover(wide, QSize(100, 100));
        QCOMPARE(c.size(), QSize(100, 100));
        QCOMPARE(QColor(c.pixel(70, 50)), QColor(Qt::black)); // the middle half kept
        const QImage b = LaunchBackground::blurred(c, 10);
        QCOMPARE(b.size(), c.size());
        QVERIFY(qRed(b.pixel(67, 50)) > 0 && qRed(b.pixel(67, 50)) < 255); // spread
        QCOMPARE(LaunchBackground::blurred(c, 0), c);
        QVERIFY(LaunchBackground::cover(QImage(), QSize(10, 10)).isNull());
    }

    void wallpaperSettingsAreParsed()
    {
        using W = platform::DesktopWallpaper;
        QCOMPARE(W::fromGSettings("'file:///home/a/my%20wall.jpg'\n"), QString("/home/a/my wall.jpg"));
        QCOMPARE(W::fromGSettings("''"), QString());
        QCOMPARE(W::fromGSettings("'https://example.org/x.jpg'"), QString());
        QCOMPARE(W::fromKdeConfig("[Containments][1][General]\nImage=file:///wrong.png\n"
                                  "[Containments][1][Wallpaper][org.kde.image][General]\nImage=file:///home/a/k.png\n"),
                 QString("/home/a/k.png"));
        QCOMPARE(W::fromKdeConfig("nothing"), QString());
        QCOMPARE(W::xfconfProperty("/backdrop/screen0/monitorVGA-1/workspace1/last-image\n"
                                   "/backdrop/screen0/monitorVGA-1/workspace0/last-image\n"
                                   "/backdrop/screen0/monitorVGA-1/workspace0/image-style\n"),
                 QString("/backdrop/screen0/monitorVGA-1/workspace0/last-image"));
        QCOMPARE(W::xfconfProperty(""), QString());
        QCOMPARE(W::order("XFCE").first(), QString("xfce"));
        QCOMPARE(W::order("X-Cinnamon").first(), QString("cinnamon"));
        QCOMPARE(W::order("KDE").first(), QString("kde"));
        QCOMPARE(W::order("").size(), 4);
    }

    void iconWidget()
    {
        FormLaunchCommonIcon icon;
        icon.resize(200, 200);
        icon.show();
        icon.setData("id", Pic, "ICON", "A rather long name that cannot fit in the label at all");
        auto *picture = icon.findChild<QLabel *>("Icon");
        auto *name = icon.findChild<QLabel *>("Name");
        QCOMPARE(picture->geometry(), QRect(37, 18, 125, 125));
        QCOMPARE(name->geometry(), QRect(0, 143, 200, 35));
        QVERIFY(icon.shownName().endsWith(QChar(0x2026)));
        QVERIFY(icon.inPicture(QPoint(38, 19)) && !icon.inPicture(QPoint(37, 19)) && !icon.inPicture(QPoint(100, 143)));

        // A web address without a picture of its own shows its initial.
        icon.setData("u", ":/image/icon/url.png", "URL", "example");
        QCOMPARE(picture->text(), QString("e"));
        icon.setData("g", ":/image/icon/rocket.gif", "ICON", "g");
        QVERIFY(icon.isGif());
        icon.setData("G", ":/image/icon/rocket.GIF", "ICON", "G"); // only the lower-case suffix plays
        QVERIFY(!icon.isGif());
        // A stored moving picture that is a pipe shows nothing, at once.
        QTemporaryDir d;
        const QString pipe = d.filePath("pipe.gif");
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        icon.setData("p", pipe, "ICON", "p");
        QVERIFY(picture->movie() && picture->movie()->currentImage().isNull());
    }

    // A name, a result or a picture's file name is shown as the characters
    // it holds: markup in it is neither drawn nor allowed to load a file.
    void namesAreShownAsText()
    {
        // Markup naming a picture beside it: drawn, it would be read and laid out.
        QTemporaryDir dir;
        QImage tall(10, 400, QImage::Format_RGB32);
        tall.fill(Qt::red);
        QVERIFY(tall.save(dir.filePath("t.png")));
        const QString cwd = QDir::currentPath();
        QDir::setCurrent(dir.path());
        const auto back = qScopeGuard([&] { QDir::setCurrent(cwd); });
        writePad({ rec("icoA", "<img src=\"t.png\">"), rec("icoB", "<b>b</b>") });
        FormLaunchStarter pad;
        open(pad);
        auto *nameA = icon(pad, "icoA")->findChild<QLabel *>("Name");
        QVERIFY(nameA->sizeHint().height() < 100);
        QCOMPARE(icon(pad, "icoA")->shownName(), QString("<img src=\"t.png\">"));
        QCOMPARE(icon(pad, "icoB")->shownName(), QString("<b>b</b>"));
        QVERIFY(icon(pad, "icoB")->findChild<QLabel *>("Name")->sizeHint().width()
                > QFontMetrics(nameA->font()).horizontalAdvance("b") * 3);

        // A search result is the same label; a web tile's initial, too.
        QTest::keyClicks(pad.findChild<QLineEdit *>("veskEdit"), "<b>");
        QVERIFY(icon(pad, "icoB")->isVisible());
        QCOMPARE(icon(pad, "icoB")->shownName(), QString("<b>b</b>"));
        FormLaunchCommonIcon web;
        web.setData("u", ":/image/icon/url.png", "URL", "<");
        QCOMPARE(web.findChild<QLabel *>("Icon")->textFormat(), Qt::PlainText);

        // The own background picture's file name.
        const QString odd = dir.filePath("<img src=\"t.png\">.png");
        QVERIFY(tall.save(odd, "PNG"));
        services.dialogs.files = QStringList { odd };
        pad.findChild<QCheckBox *>("imgButton")->click();
        pad.findChild<QPushButton *>("imgButtonS")->click();
        auto *labelImg = pad.findChild<QLabel *>("labelImg");
        QCOMPARE(labelImg->text(), QFileInfo(odd).fileName());
        QVERIFY(labelImg->sizeHint().height() < 100);
    }
};

ZV_TEST_MAIN(TestLaunchWindow)
#include "tst_launchwindow.moc"
