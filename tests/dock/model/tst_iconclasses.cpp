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

    // The questions the dock asks the table, answered by every row (and by a
    // keyword outside it) as the keyword tests they replaced answered them.
    void rowsAnswerAsTheKeywordsDid()
    {
        using namespace IconClass;
        QVector<IconClassInfo> rows = IconClasses::all();
        rows << IconClasses::unknown();
        for (const IconClassInfo &c : qAsConst(rows)) {
            const QString &k = c.keyword;
            const QByteArray name = k.isEmpty() ? QByteArray("(unknown)") : k.toUtf8();
            auto same = [&](bool asked, bool before, const char *question) {
                QVERIFY2(asked == before, (name + ": " + question).constData());
            };
            // The icon menu and the launch pad, beside and under their icons.
            same(c.tool == DockTool::IconMenu, k == MENU, "owns an icon menu");
            same(c.tool == DockTool::StartMenu, k == STARTMENU, "opens the start menu");
            same(c.tool == DockTool::LaunchPad, k == LAUNCHPAD, "opens the launch pad");
            same(c.is(IconRule::TakesDrops), k == MENU || k == LAUNCHPAD, "takes drops");
            same(c.is(IconRule::PopUpBeside), k == MENU || k == STARTMENU, "followed by its pop-up");
            same(c.is(IconRule::OneClick), k == MENU, "opens at one click");
            same(c.is(IconRule::NoJump), k == MENU, "does not jump");
            // The spacer.
            same(c.face == IconFace::Separator, k == BLANK, "a spacer");
            same(c.is(IconRule::NoClick), k == BLANK, "no click opens it");
            same(c.is(IconRule::NoBubble), k == BLANK, "no name bubble");
            // Live faces and what feeds them.
            same(c.face == IconFace::Drive, k == DISK, "shows its drive");
            same(c.opening(IconPlace::Bar) == IconOpening::Drive, k == DISK, "opens a drive on the bar");
            same(c.opening(IconPlace::Menu) == IconOpening::Drive, k == DISK, "opens a drive in a menu");
            same(c.face == IconFace::Weather, k == WEATHER, "shows the weather");
            same(c.face == IconFace::WebSite, k == URL, "a web tile");
            same(c.is(IconRule::DateName), k == TIME1 || k == TIME2, "named by the date each minute");
            // Rows the dock makes for this run.
            same(c.is(IconRule::SlidesIn), k == UDISK, "drops in");
            same(c.is(IconRule::NeverStored), k == UPGRADE, "never stored");
            // An icon menu's back row.
            same(c.is(IconRule::MenuBack), k == BACK, "the menu's back row");
            same(c.opening(IconPlace::Menu) == IconOpening::CloseMenu, k == BACK, "closes its menu");
            // A program's picture.
            same(c.is(IconRule::ProgramPicture), k == ICON, "takes its program's picture");
        }
        // The markers have no row: they answer no question.
        for (const QString &k : { Temporary, Placeholder, MAIN })
            QCOMPARE(&IconClasses::of(k), &IconClasses::unknown());
    }

    // A row that takes drops puts them where its tool is, and the rows that
    // stand for a place keep to it.
    void rulesHoldTogether()
    {
        for (const IconClassInfo &c : IconClasses::all()) {
            const QByteArray k = c.keyword.toUtf8();
            if (c.is(IconRule::TakesDrops))
                QVERIFY2(c.tool == DockTool::IconMenu || c.tool == DockTool::LaunchPad, k);
            if (c.is(IconRule::PopUpBeside))
                QVERIFY2(c.onBar == IconOpening::Tool && c.is(IconRule::NotInMenu), k);
            QVERIFY2(!(c.is(IconRule::OneClick) && c.is(IconRule::NoClick)), k);
            if (c.is(IconRule::NeverStored))
                QVERIFY2(c.is(IconRule::Transient), k);
            if (c.is(IconRule::MenuBack))
                QVERIFY2(c.inMenu == IconOpening::CloseMenu && c.menuMenu.isEmpty(), k);
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
