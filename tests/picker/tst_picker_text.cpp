// The picker's windows show their texts whole, at whatever scale the test runs
// (it runs at 100 % and at 200 %).
#include "picker/formcolorview.h"
#include "picker/screengrab.h"
#include "picker/widget.h"
#include "common/fonts.h"
#include "testenv.h"
#include "textfit.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

namespace {

struct FakeGrab : ScreenGrab
{
    FakeGrab() { ScreenGrabService::install(this); }
    ~FakeGrab() override { ScreenGrabService::install(nullptr); }
    QPixmap grabDesktop() override
    {
        QPixmap p(QGuiApplication::primaryScreen()->size());
        p.fill(Qt::gray);
        return p;
    }
};

} // namespace

class TestPickerText : public QObject
{
    Q_OBJECT
private slots:
    // The programs find their fonts as they do at their start.
    void initTestCase() { Fonts::installSubstitutions(); }

    void colourViewShowsEveryColourWhole()
    {
        FormColorView view;
        view.show();
        // "#000000" to "#FFFFFF": every digit of the colour text at its widest.
        for (int digit = 0; digit < 16; ++digit) {
            const int c = digit * 17;
            view.setColor(QColor(c, c, c));
            const QStringList clipped = clippedTexts(&view);
            QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join('\n')));
        }
        QTest::mouseClick(view.findChild<QPushButton *>("copyButton"), Qt::LeftButton);
        QCOMPARE(view.findChild<QLabel *>("tishi")->text(), QString("已经复制到剪贴板！"));
        const QStringList clipped = clippedTexts(&view);
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join('\n')));
    }

    // The colour text keeps clear of its field's border: a character more
    // would still fit.
    void colourTextHasRoom()
    {
        FormColorView view;
        view.show();
        auto *hex = view.findChild<QLineEdit *>("hexEdit");
        for (const char *colour : { "#D83A3A", "#DDDDDD", "#888888", "#000000" }) {
            view.setColor(QColor(colour));
            const int room = hex->contentsRect().width() - 4; // the field's own text margins
            QVERIFY2(hex->fontMetrics().horizontalAdvance(hex->text() + "0") <= room, colour);
        }
    }

    void loupeLabelShowsTheColourWhole()
    {
        FakeGrab grab;
        Widget grabber;
        QLabel *label = grabber.label();
        label->setText("#DDDDDD");
        const QStringList clipped = clippedTexts(label);
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join('\n')));
    }
};

ZV_TEST_MAIN(TestPickerText)
#include "tst_picker_text.moc"
