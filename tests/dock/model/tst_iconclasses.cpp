// The class table holds together: each keyword once, each menu tool code
// once and back to its class, no class a place would take in and then drop
// on the floor, and a keyword outside it treated like any other program.
#include "dock/model/dockicon.h"
#include "dock/model/iconclasses.h"

#include <QtTest>

class TestIconClasses : public QObject
{
    Q_OBJECT
private slots:
    void keywordsAndCodesAreOneEach()
    {
        QSet<QString> keywords;
        QMap<int, QString> codes;
        for (const IconClassInfo &c : IconClasses::all()) {
            QVERIFY2(!c.keyword.isEmpty(), "a class without a keyword");
            QVERIFY2(!keywords.contains(c.keyword), qPrintable(c.keyword));
            keywords << c.keyword;
            QCOMPARE(&IconClasses::of(c.keyword), &c);
            if (c.menuCode != MenuOpenCode::None) {
                QVERIFY2(!codes.contains(c.menuCode), qPrintable(c.keyword));
                codes.insert(c.menuCode, c.keyword);
                QCOMPARE(IconClasses::ofMenuCode(c.menuCode), c.keyword);
            }
        }
        // The codes an icon menu hands over, as the dock window reads them.
        QCOMPARE(codes, (QMap<int, QString> { { 1, IconClass::UPGRADE }, { 2, IconClass::SHUTDOWN },
                                              { 3, IconClass::EYETOOL }, { 4, IconClass::SEARCH },
                                              { 5, IconClass::COLORPICKER }, { 6, IconClass::SCREENSHOTS },
                                              { 7, IconClass::SETTING }, { 8, IconClass::TIMESHUTDOWN } }));
        for (const int code : { 0, 9, -1, 100 })
            QVERIFY(IconClasses::ofMenuCode(code).isEmpty());
        // Markers, not classes of a row.
        for (const QString &k : { IconClass::Temporary, IconClass::Placeholder, IconClass::MAIN })
            QVERIFY(!IconClasses::known(k));
    }

    // What a place opens as a tool somebody must run: the bar's dispatcher a
    // tool, an icon menu a code for the dock (or the desktop program it starts).
    void everyToolHasItsRunner()
    {
        for (const IconClassInfo &c : IconClasses::all()) {
            if (c.onBar == IconOpening::Tool)
                QVERIFY2(c.tool != DockTool::None, qPrintable(c.keyword));
            if (c.inMenu == IconOpening::Tool)
                QVERIFY2(c.menuCode != MenuOpenCode::None || c.tool == DockTool::Calculator, qPrintable(c.keyword));
            else
                QVERIFY2(c.menuCode == MenuOpenCode::None, qPrintable(c.keyword));
            QVERIFY2(c.inLaunchPad != IconOpening::Drive && c.inLaunchPad != IconOpening::CloseMenu,
                     qPrintable(c.keyword));
            QVERIFY2(c.onBar != IconOpening::CloseMenu, qPrintable(c.keyword));
            // A row a menu does not take, found in a menu file all the same,
            // goes to the desktop like any other.
            if (c.refusedIn(IconPlace::Menu))
                QCOMPARE(c.inMenu, IconOpening::Path);
            // A row made while the dock runs never reaches a file of its own.
            if (c.is(IconRule::Transient))
                QVERIFY2(c.is(IconRule::StaysOnBar) && c.is(IconRule::NotDroppedInPad), qPrintable(c.keyword));
        }
    }

    void aKeywordOutsideTheTableIsAProgram()
    {
        for (const QString &k : { QString("NOSUCHCLASS"), QString("url"), QString(" URL"), QString() }) {
            QVERIFY(!IconClasses::known(k));
            const IconClassInfo &c = IconClasses::of(k);
            QCOMPARE(&c, &IconClasses::unknown());
            QCOMPARE(c.face, IconFace::Picture);
            for (const IconPlace p : { IconPlace::Bar, IconPlace::Menu, IconPlace::LaunchPad }) {
                QCOMPARE(c.opening(p), IconOpening::Path);
                QVERIFY(!c.refusedIn(p));
            }
            QVERIFY(c.rules == IconRules());
            QVERIFY(!IconClass::isTransient(k));
            QCOMPARE(c.barMenu, IconClasses::of(IconClass::ICON).barMenu);
            QCOMPARE(c.menuMenu, IconClasses::of(IconClass::ICON).menuMenu);
        }
    }

    // The preset rows name classes of the table.
    void presetsAreOfKnownClasses()
    {
        for (const DockIconRecord &r : dockPresetRows())
            QVERIFY2(IconClasses::known(r.Class), qPrintable(r.Class));
        QVERIFY(IconClass::isTransient(IconClass::UPGRADE) && IconClass::isTransient(IconClass::UDISK));
    }
};

QTEST_GUILESS_MAIN(TestIconClasses)
#include "tst_iconclasses.moc"
