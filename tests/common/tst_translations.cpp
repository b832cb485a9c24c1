// Qt's own texts in the interface's language, and the language handed on to
// the programs the dock starts.
#include "common/translations.h"
#include "testenv.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QKeySequenceEdit>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

QString yesText()
{
    QDialogButtonBox box(QDialogButtonBox::Yes);
    return box.button(QDialogButtonBox::Yes)->text();
}

QString shortcutPlaceholder()
{
    QKeySequenceEdit edit;
    return edit.findChild<QLineEdit *>()->placeholderText();
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT
private slots:
    void languageOfTheSetting()
    {
        QCOMPARE(Translations::languageOfSetting(1), QString("en"));
        for (int index : { 0, 7, -1 }) // anything else is Chinese
            QCOMPARE(Translations::languageOfSetting(index), QString("zh_CN"));
    }

    void switchesQtTextsAndHandsTheLanguageOn()
    {
        if (!QFile::exists(QLibraryInfo::location(QLibraryInfo::TranslationsPath) + "/qtbase_zh_CN.qm"))
            QSKIP("Qt's Chinese translations are not installed (qttranslations5-l10n)");
        qunsetenv("ZORVANE_LANGUAGE");
        QCOMPARE(Translations::inherited(), QString("zh_CN")); // started on its own

        QVERIFY(Translations::install("zh_CN"));
        QVERIFY2(yesText().startsWith("是"), qPrintable(yesText()));
        QVERIFY(shortcutPlaceholder() != "Press shortcut" && !shortcutPlaceholder().isEmpty());
        QCOMPARE(qgetenv("ZORVANE_LANGUAGE"), QByteArray("zh_CN"));

        // Switching replaces the texts instead of stacking them.
        QVERIFY(Translations::install("en"));
        QCOMPARE(yesText(), QString("&Yes"));
        QCOMPARE(shortcutPlaceholder(), QString("Press shortcut"));
        QCOMPARE(Translations::inherited(), QString("en"));
        QCOMPARE(Translations::current(), QString("en"));

        QVERIFY(Translations::install("zh_CN"));
        // A language without a file leaves Qt in English, not in the old one.
        QVERIFY(!Translations::install("xx_YY"));
        QCOMPARE(yesText(), QString("&Yes"));
        QCOMPARE(Translations::inherited(), QString("xx_YY"));
    }
};

ZV_TEST_MAIN(TestTranslations)
#include "tst_translations.moc"
