// The launch pad's paged grid: its arithmetic on several screens, icons that
// do not fit the screen, pages, dots and turning, and the search results.
#include "padfixture.h"

#include "dock/launchpad/formpagbutton.h"
#include "dock/launchpad/launchsearch.h"

#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QWheelEvent>

using namespace PadTest;

Q_DECLARE_METATYPE(LaunchGrid::Geometry)

class TestLaunchGrid : public QObject
{
    Q_OBJECT
    Services services;

private slots:
    void init() { reset(); }

    void arithmetic_data()
    {
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("h");
        QTest::addColumn<int>("size");
        // gridWidth, gridHeight, gridX, gridY, columns, rows, columnGap, rowGap
        QTest::addColumn<QList<int>>("expect");
        QTest::newRow("1920x1080, 160") << 1920 << 1080 << 160 << QList<int> { 1536, 864, 192, 108, 7, 5, 69, 10 };
        QTest::newRow("1366x768, 86") << 1366 << 768 << 86 << QList<int> { 1093, 615, 136, 76, 7, 5, 81, 30 };
        QTest::newRow("2560x1440, 200") << 2560 << 1440 << 200 << QList<int> { 2048, 1152, 256, 144, 7, 5, 108, 25 };
        // Too big for seven across or five down: fewer cells, never overlapping.
        QTest::newRow("1366x768, 160") << 1366 << 768 << 160 << QList<int> { 1093, 615, 136, 76, 6, 3, 26, 33 };
        QTest::newRow("1920x1080, 256") << 1920 << 1080 << 256 << QList<int> { 1536, 864, 192, 108, 6, 3, 0, 24 };
        QTest::newRow("1280x800, 256") << 1280 << 800 << 256 << QList<int> { 1024, 640, 128, 80, 4, 2, 0, 42 };
        QTest::newRow("1024x600, 160") << 1024 << 600 << 160 << QList<int> { 820, 480, 102, 60, 5, 3, 5, 0 };
        QTest::newRow("1600x900, 160") << 1600 << 900 << 160 << QList<int> { 1280, 720, 160, 90, 7, 4, 26, 16 };
        QTest::newRow("too small for one") << 100 << 100 << 160 << QList<int> { 80, 80, 10, 10, 1, 1, 0, -40 };
    }
    void arithmetic()
    {
        QFETCH(int, w);
        QFETCH(int, h);
        QFETCH(int, size);
        QFETCH(QList<int>, expect);
        const LaunchGrid::Geometry g = LaunchGrid::layout(w, h, size);
        QCOMPARE((QList<int> { g.gridWidth, g.gridHeight, g.gridX, g.gridY, g.columns, g.rows, g.columnGap, g.rowGap }),
                 expect);
        QCOMPARE(g.stride(), g.gridX + g.gridWidth);
        QCOMPARE(g.frameXForPage(3), g.gridX - 2 * g.stride());
        QCOMPARE(g.frameWidth(2), 2 * g.gridWidth + g.gridX);
        if (g.columns == 1)
            return;
        // The cells of a page stay inside the area and apart.
        QVERIFY(g.columns * size + (g.columns - 1) * g.columnGap <= g.gridWidth);
        QVERIFY(g.rows * size + (g.rows - 1) * g.rowGap <= g.gridHeight);
        QVERIFY(g.columnGap >= 0 && g.rowGap >= 0);

        const int n = 2 * g.perPage() + g.columns + 1;
        const LaunchGrid::Cells c = LaunchGrid::walk(n, g);
        const int dx = size + g.columnGap, dy = size + g.rowGap;
        QCOMPARE(c.pos[0], QPoint(0, 0));
        QCOMPARE(c.pos[g.columns - 1], QPoint((g.columns - 1) * dx, 0));
        QCOMPARE(c.pos[g.columns], QPoint(0, dy)); // the second row of page 1
        QCOMPARE(c.pos[g.perPage() - 1], QPoint((g.columns - 1) * dx, (g.rows - 1) * dy));
        QCOMPARE(c.pos[g.perPage()], QPoint(g.stride(), 0)); // page 2 starts one stride on
        QCOMPARE(c.pos[2 * g.perPage() + g.columns], QPoint(2 * g.stride(), dy));
        QCOMPARE(c.pageCount, 3);
        QCOMPARE(g.pageOf(g.perPage() - 1), 1);
        QCOMPARE(g.pageOf(g.perPage()), 2);
        // The dots stand under the last row.
        QVERIFY(g.dotsY() >= g.gridY + (g.rows - 1) * dy + size);
    }

    void pageCounts()
    {
        const LaunchGrid::Geometry g = LaunchGrid::layout(1920, 1080, 160);
        // A full page opens the next, empty one.
        for (const QPoint &icons : { QPoint(0, 1), QPoint(34, 1), QPoint(35, 2), QPoint(70, 3) })
            QCOMPARE(LaunchGrid::walk(icons.x(), g).pageCount, icons.y());
        const LaunchGrid::Geometry small = LaunchGrid::layout(1366, 768, 160); // 18 a page
        for (const QPoint &icons : { QPoint(17, 1), QPoint(18, 2), QPoint(36, 3) })
            QCOMPARE(LaunchGrid::walk(icons.x(), small).pageCount, icons.y());
    }

    // At 1366 × 768 with the stored 160 px: whole rows with their names, the
    // dots under them, the setting as stored.
    void iconsTooLargeForTheScreen()
    {
        TestConfig::writeIni("[LaunchPad]\nIconSize=160\n");
        writePad(many(40));
        FormLaunchStarter pad;
        open(pad, 1366, 768);
        const LaunchGrid::Geometry &g = pad.grid()->geometry();
        QCOMPARE(g.perPage(), 18);
        QCOMPARE(pad.grid()->pageCount(), 3);
        QCOMPARE(icon(pad, "ico0000")->size(), QSize(160, 160));
        QList<QRect> page1;
        for (int i = 0; i < 18; ++i)
            page1 << icon(pad, QStringLiteral("ico%1").arg(i, 4, 10, QLatin1Char('0')))->geometry();
        for (int i = 0; i < page1.size(); ++i) {
            QVERIFY2(page1[i].bottom() < g.gridHeight, "cut off at the foot of the grid");
            for (int j = i + 1; j < page1.size(); ++j)
                QVERIFY2(!page1[i].intersects(page1[j]), "icons drawn over each other");
        }
        auto *dots = pad.findChild<QFrame *>("pageMenuFrame");
        QVERIFY(dots->isVisible());
        QVERIFY(dots->y() >= g.gridY + page1.last().bottom());
        QVERIFY(dots->geometry().bottom() < 768 - 88); // clear of a bar of 64-px icons
        pad.CloseShow();
        QCOMPARE(TestConfig::stored("LaunchPad/IconSize").toString(), QString("160"));

        // A screen where they fit again: seven by five.
        pad.placeOnScreen(0, 0, 1920, 1080);
        QCOMPARE(pad.grid()->geometry().perPage(), 35);
        QCOMPARE(pad.grid()->pageCount(), 2);
    }

    void pagesAndDots()
    {
        writePad(many(34));
        FormLaunchStarter pad;
        open(pad);
        LaunchGrid *grid = pad.grid();
        auto *dots = pad.findChild<QFrame *>("pageMenuFrame");
        QCOMPARE(grid->pageCount(), 1);
        QVERIFY(dots->isHidden());
        QVERIFY(pad.editing()->add(Pic, "x", "ICON", "/usr/bin/x")); // the 35th: a second, empty page
        QCOMPARE(grid->pageCount(), 2);
        QVERIFY(dots->isVisible());
        QCOMPARE(dots->width(), 40);
        QVERIFY(grid->dot(1)->isActive());

        auto *frame = pad.findChild<QFrame *>("frameIcon");
        pad.turnPage(1);
        QCOMPARE(grid->currentPage(), 2);
        QTRY_COMPARE(frame->x(), 192 - 1728);
        QVERIFY(grid->dot(2)->isActive() && !grid->dot(1)->isActive());
        pad.turnPage(1); // the last page: it stays
        QCOMPARE(grid->currentPage(), 2);
        pad.turnPage(7); // not a direction
        QCOMPARE(grid->currentPage(), 2);
        // The arrows turn pages from the search field while it is empty.
        QTest::keyClick(pad.findChild<QLineEdit *>("veskEdit"), Qt::Key_Left);
        QCOMPARE(grid->currentPage(), 1);
        grid->dot(2)->findChild<QPushButton *>()->click();
        QCOMPARE(grid->currentPage(), 2);
        QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&pad, &wheel);
        QCOMPARE(grid->currentPage(), 1);
        QTRY_COMPARE(frame->x(), 192);

        // Removing icons takes the page shown away: the pad comes back into range.
        pad.turnPage(1);
        pad.editing()->remove(pad.rows()->stored().last().IconID);
        QCOMPARE(grid->pageCount(), 1);
        QCOMPARE(grid->currentPage(), 1);
        QVERIFY(dots->isHidden());

        pad.CloseShow();
        QTest::qWait(150);
        pad.turnPage(1); // closed: pages do not turn
        QCOMPARE(grid->currentPage(), 1);
    }

    // The arrows and the wheel stop at the last page and at the first: no
    // slide goes on to the empty pages beyond, however often they turn.
    void turningStopsAtTheEnds()
    {
        writePad(many(40)); // two pages of 35
        FormLaunchStarter pad;
        open(pad);
        LaunchGrid *grid = pad.grid();
        auto *frame = pad.findChild<QFrame *>("frameIcon");
        auto *edit = pad.findChild<QLineEdit *>("veskEdit");
        const auto wheel = [&pad](int dy) {
            QWheelEvent e(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, dy), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
            QApplication::sendEvent(&pad, &e);
        };
        QCOMPARE(grid->pageCount(), 2);
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(edit, Qt::Key_Right);
            wheel(-120);
            QCOMPARE(grid->currentPage(), 2);
        }
        QTRY_COMPARE(frame->x(), 192 - 1728);
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(edit, Qt::Key_Left);
            wheel(120);
            QCOMPARE(grid->currentPage(), 1);
        }
        QTRY_COMPARE(frame->x(), 192);
    }

    // Only the pages near the one shown have their widgets; the rest come
    // as the pages do, and a second load makes no second widget.
    void widgetsComeWithTheirPages()
    {
        writePad(many(200));
        FormLaunchStarter pad;
        open(pad);
        QVERIFY(icon(pad, "ico0040")); // page 2
        QVERIFY(!icon(pad, "ico0150")); // page 5
        for (int i = 0; i < 4; ++i)
            pad.turnPage(1);
        QTRY_VERIFY(icon(pad, "ico0150"));
    }

    void search()
    {
        QList<DockIconRecord> rows = many(40);
        rows[3].Name = "Notepad";
        rows[38].Name = "Piano";
        rows[39].Name = "NOTES";
        writePad(rows);
        FormLaunchStarter pad;
        open(pad);
        pad.turnPage(1);
        auto *edit = pad.findChild<QLineEdit *>("veskEdit");
        auto *clear = pad.findChild<QPushButton *>("ClearButton");
        auto *frame = pad.findChild<QFrame *>("frameIcon");
        QTest::keyClicks(edit, "no");
        QVERIFY(clear->isVisible());
        // The results stand on page 1, though the search began on page 2.
        QCOMPARE(pad.grid()->currentPage(), 1);
        QCOMPARE(frame->x(), 192);
        QCOMPARE(pad.grid()->pageCount(), 1);
        QCOMPARE(icon(pad, "ico0003")->pos(), QPoint(0, 0));
        QCOMPARE(icon(pad, "ico0038")->pos(), QPoint(229, 0));
        QCOMPARE(icon(pad, "ico0039")->pos(), QPoint(458, 0));
        QVERIFY(icon(pad, "ico0000")->isHidden());
        QVERIFY(icon(pad, "ico0038")->isVisible());

        edit->setText("ico00"); // 37 matches: a second page, the 8th in row 2
        QCOMPARE(pad.grid()->pageCount(), 2);
        QCOMPARE(icon(pad, "ico0008")->pos(), QPoint(0, 170));
        edit->setText("nothing like it");
        QCOMPARE(pad.grid()->pageCount(), 1);
        QVERIFY(icon(pad, "ico0003")->isHidden());

        clear->click();
        QVERIFY(clear->isHidden());
        QCOMPARE(pad.grid()->pageCount(), 2);
        QVERIFY(icon(pad, "ico0000")->isVisible());
        QCOMPARE(icon(pad, "ico0039")->pos(), QPoint(1728 + 4 * 229, 0));
        // Return only searches again; it opens nothing.
        edit->setText("Piano");
        QTest::keyClick(edit, Qt::Key_Return);
        QVERIFY(services.opener.paths.isEmpty());
        // Closing empties the search and shows everything again.
        pad.CloseShow();
        QVERIFY(edit->text().isEmpty());
        QVERIFY(icon(pad, "ico0000")->isVisible());
        QVERIFY(!LaunchSearch::matches({ "", "", "", "Placeholder", "", "" }, ""));
    }

    // The thirds of an icon under the pointer; its borders are in none.
    void iconUnderThePointer()
    {
        writePad(many(3));
        FormLaunchStarter pad;
        open(pad);
        const QPoint left = icon(pad, "ico0001")->mapToGlobal(QPoint(0, 50));
        const struct
        {
            int dx, part;
        } cases[] = { { 0, -2 }, { 1, 0 }, { 52, 0 }, { 53, -1 }, { 54, 1 }, { 106, 1 }, { 107, -1 }, { 108, 2 },
                      { 159, 2 }, { 160, -2 } };
        for (const auto &c : cases) {
            const LaunchGrid::Hit hit = pad.grid()->iconAt(left + QPoint(c.dx, 0));
            QCOMPARE(hit.part, c.part == -2 ? -1 : c.part);
            QCOMPARE(hit.id, c.part == -2 ? QString() : QString("ico0001"));
        }
    }
};

ZV_TEST_MAIN(TestLaunchGrid)
#include "tst_launchgrid.moc"
