#include "common/fonts.h"
#include "testenv.h"

#include <QApplication>
#include <QBuffer>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImageReader>
#include <QtTest>

class TestFonts : public QObject
{
    Q_OBJECT
private slots:
    void windowsFontNamesDrawWithCjkFonts()
    {
        if (!QFontDatabase().families().contains(QStringLiteral("Noto Sans CJK SC")))
            QSKIP("Noto Sans CJK SC is not installed (fonts-noto-cjk)");
        Fonts::installSubstitutions();
        for (const char *name : { "Microsoft YaHei", "微软雅黑" })
            QCOMPARE(QFontInfo(QFont(QString::fromUtf8(name))).family(), QStringLiteral("Noto Sans CJK SC"));
        for (const char *name : { "SimSun", "宋体" })
            QVERIFY(QFontInfo(QFont(QString::fromUtf8(name))).family().contains(QStringLiteral("CJK SC")));
    }

    // The application font is 12 pixels as the windows ask, and a picture
    // drawn from SVG text under it shows its text (set in pixels, the font
    // left such pictures blank).
    void svgTextDrawsUnderTheApplicationFont()
    {
        const QFont before = QApplication::font();
        QApplication::setFont(Fonts::applicationFont(12));
        QCOMPARE(QFontInfo(QApplication::font()).pixelSize(), 12);
        // The size given on the span only, as drawing programs write it.
        QByteArray svg = "<svg xmlns='http://www.w3.org/2000/svg' width='48' height='48' viewBox='0 0 48 48'>"
                         "<text style=\"font-family:'DejaVu Sans';fill:#000000\" x='2' y='40'>"
                         "<tspan x='2' y='40' style='font-size:40px'>X</tspan></text></svg>";
        QBuffer file(&svg);
        QImageReader reader(&file, "svg");
        reader.setScaledSize(QSize(96, 96));
        const QImage picture = reader.read();
        QApplication::setFont(before);
        QVERIFY2(!picture.isNull(), qPrintable(reader.errorString()));
        int drawn = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                drawn += qAlpha(picture.pixel(x, y)) > 0;
        QVERIFY2(drawn > 96 * 96 / 20, qPrintable(QString("only %1 pixels drawn").arg(drawn)));
    }

    // Faces of the same kind where the machine has them: a Song face for
    // SimSun, a sans face for YaHei; the sans faces behind a missing serif.
    void substitutesOfTheSameKind()
    {
        using Fonts::substitutesFor;
        const QStringList debianLight { "DejaVu Sans", "WenQuanYi Zen Hei", "AR PL UMing CN" };
        QCOMPARE(substitutesFor("Microsoft YaHei", debianLight), QStringList{ "WenQuanYi Zen Hei" });
        QCOMPARE(substitutesFor("simsun", debianLight), QStringList({ "AR PL UMing CN", "WenQuanYi Zen Hei" }));
        QCOMPARE(substitutesFor("宋体", { "Droid Sans Fallback" }), QStringList{ "Droid Sans Fallback" });
        QCOMPARE(substitutesFor("微软雅黑", { "noto sans cjk sc", "Source Han Sans SC" }),
                 QStringList({ "Noto Sans CJK SC", "Source Han Sans SC" }));
        QCOMPARE(substitutesFor("Arial", debianLight), QStringList());
        QCOMPARE(substitutesFor("SimSun", { "DejaVu Serif" }), QStringList());
    }
};

ZV_TEST_MAIN(TestFonts)
#include "tst_fonts.moc"
