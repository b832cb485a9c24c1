// The dock icon's context menu: its entries per class, exact texts with their
// trailing blanks, the codes they send and the run of the real menu.
#include "dock/icons/formrecycle.h"
#include "dock/icons/productlinks.h"
#include "fakeiconservices.h"
#include "fakedockservices.h"
#include "iconhelpers.h"
#include "testenv.h"

#include <QApplication>
#include <QMenu>
#include <QTimer>
#include <QtTest>

namespace {
const QString B10 = QString(10, ' ');
const QString B7 = QString(7, ' ');
const QString B5 = QString(5, ' ');

// A menu as text: entries by their text, "—" for a separator, a submenu as
// "▸title[entry|entry]".
QStringList describe(const QMenu *menu)
{
    QStringList out;
    for (QAction *a : menu->actions()) {
        if (a->isSeparator())
            out << QStringLiteral("—");
        else if (a->menu()) {
            QStringList sub = describe(a->menu());
            out << QStringLiteral("▸") + a->menu()->title() + "[" + sub.join("|") + "]";
        } else
            out << a->text();
    }
    return out;
}

QList<QAction *> leaves(const QMenu *menu)
{
    QList<QAction *> list;
    for (QAction *a : menu->actions()) {
        if (a->menu())
            list << leaves(a->menu());
        else if (!a->isSeparator())
            list << a;
    }
    return list;
}

QStringList tail()
{
    return { "—", "Dock设置" + B10, "使用帮助" + B5, "隐藏Dock" + B10, "退出Dock" + B10 };
}
const QString standardAdd = "▸添加图标[添加应用图标|添加系统图标|添加网址|添加扩展菜单|添加文件夹|添加分栏图标]";
} // namespace

class TestIconMenu : public QObject
{
    Q_OBJECT
    FakeTrash m_trash;
    FakeOpener m_links;

    TestIcon *make(const QString &cl)
    {
        auto *icon = new TestIcon;
        icon->setIcon("ico7", 128, 64, 256, 256, 2, "名字", ":/none.png", cl);
        icon->show();
        return icon;
    }

private slots:
    void entriesPerClass_data()
    {
        QTest::addColumn<QString>("cl");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("RECYCLE") << "RECYCLE"
                                 << (QStringList { "打开回收站", "清空回收站", "—",
                                                   "▸图标设置[设置回收站图标（空）|设置回收站图标（满）]", standardAdd,
                                                   "删除图标" + B10 }
                                     + tail());
        QTest::newRow("DISK") << "DISK"
                              << (QStringList { "打开", "盘符设置", standardAdd, "—", "删除图标" + B7 } + tail());
        QTest::newRow("UDISK") << "UDISK" << (QStringList { "打开" } + tail());
        QTest::newRow("MENU") << "MENU"
                              << (QStringList { "打开", "图标设置", "—", "桌面工具",
                                                "▸添加图标[菜单中添加应用图标|菜单中添加网址|菜单中添加系统图标|菜单中添加文件夹]",
                                                "删除扩展菜单" + B7 }
                                  + tail());
        QTest::newRow("WEATHER") << "WEATHER"
                                 << (QStringList { "打开", "图标背景设置", "—", "桌面工具", standardAdd, "删除图标" }
                                     + tail());
        const QStringList clock = QStringList { "打开", "—", "桌面工具", standardAdd, "删除图标" } + tail();
        QTest::newRow("TIME1") << "TIME1" << clock;
        QTest::newRow("TIME2") << "TIME2" << clock;
        QTest::newRow("BLANK") << "BLANK" << (QStringList { "桌面工具", standardAdd, "删除图标" } + tail());
        const QStringList other =
            QStringList { "打开", "图标设置", "—", "桌面工具", standardAdd, "删除图标" } + tail();
        QTest::newRow("EXE") << "EXE" << other;
        QTest::newRow("URL") << "URL" << other;
        QTest::newRow("STARTMENU") << "STARTMENU" << other;
        QTest::newRow("lower-case class is another class") << "recycle" << other;
    }
    void entriesPerClass()
    {
        QFETCH(QString, cl);
        QFETCH(QStringList, entries);
        QScopedPointer<TestIcon> icon(make(cl));
        QMenu main, add, set;
        icon->fillContextMenu(&main, &add, &set);
        QCOMPARE(describe(&main), entries);
    }

    void entriesSendTheirCodes_data()
    {
        QTest::addColumn<QString>("cl");
        QTest::addColumn<QStringList>("expected"); // "text=code", or "text=open", "text=-" for none
        const QStringList tailCodes { "Dock设置" + B10 + "=0", "使用帮助" + B5 + "=-", "隐藏Dock" + B10 + "=102",
                                      "退出Dock" + B10 + "=20" };
        const QStringList addCodes { "添加应用图标=2", "添加系统图标=3", "添加网址=15",
                                     "添加扩展菜单=5", "添加文件夹=10", "添加分栏图标=13" };
        QTest::newRow("RECYCLE") << "RECYCLE"
                                 << (QStringList { "打开回收站=open", "清空回收站=-", "设置回收站图标（空）=17",
                                                   "设置回收站图标（满）=18" }
                                     + addCodes + QStringList { "删除图标" + B10 + "=6" } + tailCodes);
        QTest::newRow("DISK") << "DISK"
                              << (QStringList { "打开=open", "盘符设置=9" } + addCodes
                                  + QStringList { "删除图标" + B7 + "=6" } + tailCodes);
        QTest::newRow("MENU") << "MENU"
                              << (QStringList { "打开=open", "图标设置=1", "桌面工具=12", "菜单中添加应用图标=7",
                                                "菜单中添加网址=16", "菜单中添加系统图标=8", "菜单中添加文件夹=11",
                                                "删除扩展菜单" + B7 + "=6" }
                                  + tailCodes);
        QTest::newRow("WEATHER") << "WEATHER"
                                 << (QStringList { "打开=open", "图标背景设置=1", "桌面工具=12" } + addCodes
                                     + QStringList { "删除图标=6" } + tailCodes);
    }
    void entriesSendTheirCodes()
    {
        QFETCH(QString, cl);
        QFETCH(QStringList, expected);
        QScopedPointer<TestIcon> icon(make(cl));
        icon->setClickStyle(0);
        FormRecycle::confirmEmpty() = [] { return false; };
        QMenu main, add, set;
        icon->fillContextMenu(&main, &add, &set);
        QSignalSpy codes(icon.data(), &FormCommonIcon::IconMenu);
        QSignalSpy open(icon.data(), &FormCommonIcon::IconOpen);
        QStringList got;
        for (QAction *a : leaves(&main)) {
            codes.clear();
            open.clear();
            a->trigger();
            QString what = "-";
            if (!open.isEmpty())
                what = "open";
            else if (!codes.isEmpty()) {
                QCOMPARE(codes.count(), 1);
                QCOMPARE(codes.first().at(0).toString(), QString("ico7"));
                what = QString::number(codes.first().at(1).toInt());
            }
            got << a->text() + "=" + what;
        }
        QCOMPARE(got, expected);
    }

    void unusedSlotStillSendsItsCode()
    {
        QScopedPointer<TestIcon> icon(make("EXE"));
        QSignalSpy codes(icon.data(), &FormCommonIcon::IconMenu);
        icon->AddExtensionIcon();
        QCOMPARE(codes.first().at(1).toInt(), 4);
    }

    void helpOpensTheForumPage()
    {
        QScopedPointer<TestIcon> icon(make("EXE"));
        m_links.urls.clear();
        icon->myHelp();
        QCOMPARE(m_links.urls.size(), 1);
        const QUrl url = m_links.urls.first();
        QCOMPARE(url, ProductLinks::helpPage());
        QCOMPARE(url.path(), QString("/bbs/forum.php"));
        QCOMPARE(url.query(), QString("mod=forumdisplay&fid=36"));
        QCOMPARE(url.scheme() + "://" + url.host(), ProductLinks::webHost());
    }

    void emptyingAsksFirst()
    {
        QScopedPointer<TestIcon> icon(make("RECYCLE"));
        m_trash.current = platform::Trash::HoldsItems;
        m_trash.emptied = 0;
        FormRecycle::confirmEmpty() = [] { return false; };
        icon->ClearRecycle();
        QCOMPARE(m_trash.emptied, 0);
        QCOMPARE(m_trash.current, platform::Trash::HoldsItems);
        FormRecycle::confirmEmpty() = [] { return true; };
        icon->ClearRecycle();
        QCOMPARE(m_trash.emptied, 1);
    }

    void openEntryJumpsLikeAClick()
    {
        QScopedPointer<TestIcon> icon(make("RECYCLE"));
        QMenu main, add, set;
        icon->fillContextMenu(&main, &add, &set);
        QSignalSpy open(icon.data(), &FormCommonIcon::IconOpen);
        main.actions().first()->trigger();
        QCOMPARE(open.count(), 1);
        QCOMPARE(icon->findChildren<QPropertyAnimation *>().size(), 2); // hover + jump
    }

    // ------------------------------------------------------------ the real menu

    void closingWithoutChoiceSendsOpenAndClose()
    {
        QScopedPointer<TestIcon> icon(make("EXE"));
        QSignalSpy codes(icon.data(), &FormCommonIcon::IconMenu);
        QPointer<QMenu> seen;
        QString sheet;
        QTimer::singleShot(0, this, [&] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            QVERIFY(menu);
            seen = menu;
            sheet = menu->styleSheet();
            QVERIFY(menu->windowFlags() & Qt::FramelessWindowHint);
            QVERIFY(menu->testAttribute(Qt::WA_TranslucentBackground));
            menu->close();
        });
        icon->release(Qt::RightButton);
        QCOMPARE(codesOf(codes), (QList<int> { 100, 101 }));
        QCOMPARE(sheet, FormCommonIcon::menuStyleSheet());
        QVERIFY(seen.isNull()); // freed after use
        QVERIFY(!icon->ringTimer()->isActive());
    }

    void chosenEntrySendsItsCodeAfterTheClose()
    {
        QScopedPointer<TestIcon> icon(make("EXE"));
        QSignalSpy codes(icon.data(), &FormCommonIcon::IconMenu);
        QTimer::singleShot(0, this, [&] { choose("删除图标"); });
        icon->release(Qt::RightButton);
        QCOMPARE(codesOf(codes), (QList<int> { 100, 101, 6 }));
    }

    void ownerMayRebuildTheBarInsideTheMenu()
    {
        QPointer<TestIcon> icon = make("EXE");
        connect(icon.data(), &FormCommonIcon::IconMenu, this, [&](const QString &, int code) {
            if (code == 6)
                delete icon.data(); // the bar is rebuilt while the menu runs
        });
        QTimer::singleShot(0, this, [&] { choose("删除图标"); });
        icon->release(Qt::RightButton);
        QVERIFY(icon.isNull());
    }

private:
    static void choose(const QString &text)
    {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        for (QAction *a : menu->actions()) {
            if (a->text() == text) {
                menu->setActiveAction(a);
                QTest::keyClick(menu, Qt::Key_Return);
                return;
            }
        }
        QFAIL("entry not found");
    }
};

ZV_TEST_MAIN(TestIconMenu)
#include "tst_iconmenu.moc"
