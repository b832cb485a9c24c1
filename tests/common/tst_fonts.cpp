#include "common/fonts.h"
#include "testenv.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
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
