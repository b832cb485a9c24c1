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
};

ZV_TEST_MAIN(TestFonts)
#include "tst_fonts.moc"
