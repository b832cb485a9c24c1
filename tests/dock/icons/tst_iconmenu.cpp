// The dock icon's context menu: its entries per class with their exact texts
// (trailing blanks included), the codes they send, and the run of the real
// menu, which an owner may answer by rebuilding its bar.
#include "dock/icons/formrecycle.h"
#include "dock/icons/productlinks.h"
#include "fakedockservices.h"
#include "fakeiconservices.h"
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
        else if (a->menu())
            out << QStringLiteral("▸") + a->menu()->title() + "[" + describe(a->menu()).join("|") + "]";
        else
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

const QStringList tail { "—", "Dock设置" + B10, "使用帮助" + B5, "隐藏Dock" + B10, "退出Dock" + B10 };
const QString standardAdd = "▸添加图标[添加应用图标|添加系统图标|添加网址|添加扩展菜单|添加文件夹|添加分栏图标]";

} // namespace

class FormCommonIconMenu : public QObject
{
    Q_OBJECT
    FakeTrash m_trash;
    FakeOpener m_links;

    FormCommonIcon *make(const QString &cl)
    {
        auto *icon = new FormCommonIcon;
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
                                 << QStringList { "打开回收站", "清空回收站", "—",
                                                  "▸图标设置[设置回收站图标（空）|设置回收站图标（满）]", standardAdd,
                                                  "删除图标" + B10 } + tail;
        QTest::newRow("DISK") << "DISK" << QStringList { "打开", "盘符设置", standardAdd, "—", "删除图标" + B7 } + tail;
        QTest::newRow("UDISK") << "UDISK" << QStringList { "打开" } + tail;
        QTest::newRow("MENU") << "MENU"
                              << QStringList { "打开", "图标设置", "—", "桌面工具",
                                               "▸添加图标[菜单中添加应用图标|菜单中添加网址|菜单中添加系统图标|菜单中添加文件夹]",
                                               "删除扩展菜单" + B7 } + tail;
        QTest::newRow("WEATHER") << "WEATHER"
                                 << QStringList { "打开", "图标背景设置", "—", "桌面工具", standardAdd, "删除图标" } + tail;
        const QStringList clock = QStringList { "打开", "—", "桌面工具", standardAdd, "删除图标" } + tail;
        QTest::newRow("TIME1") << "TIME1" << clock;
        QTest::newRow("TIME2") << "TIME2" << clock;
        QTest::newRow("BLANK") << "BLANK" << QStringList { "桌面工具", standardAdd, "删除图标" } + tail;
        const QStringList other = QStringList { "打开", "图标设置", "—", "桌面工具", standardAdd, "删除图标" } + tail;
        QTest::newRow("EXE") << "EXE" << other;
        QTest::newRow("URL") << "URL" << other;
        QTest::newRow("STARTMENU") << "STARTMENU" << other;
        QTest::newRow("lower-case class is another class") << "recycle" << other;
    }
    void entriesPerClass()
    {
        QFETCH(QString, cl);
        QFETCH(QStringList, entries);
        QScopedPointer<FormCommonIcon> icon(make(cl));
        QMenu main, add, set;
        icon->fillContextMenu(&main, &add, &set);
        QCOMPARE(describe(&main), entries);
    }

    void entriesSendTheirCodes_data()
    {
        QTest::addColumn<QString>("cl");
        QTest::addColumn<QStringList>("expected"); // "text=code", "text=open", or "text=-" for none
        const QStringList tailCodes { "Dock设置" + B10 + "=0", "使用帮助" + B5 + "=-", "隐藏Dock" + B10 + "=102",
                                      "退出Dock" + B10 + "=20" };
        const QStringList addCodes { "添加应用图标=2", "添加系统图标=3", "添加网址=15",
                                     "添加扩展菜单=5", "添加文件夹=10", "添加分栏图标=13" };
        QTest::newRow("RECYCLE") << "RECYCLE"
                                 << QStringList { "打开回收站=open", "清空回收站=-", "设置回收站图标（空）=17",
                                                  "设置回收站图标（满）=18" } + addCodes
                                        + QStringList { "删除图标" + B10 + "=6" } + tailCodes;
        QTest::newRow("DISK") << "DISK"
                              << QStringList { "打开=open", "盘符设置=9" } + addCodes
                                     + QStringList { "删除图标" + B7 + "=6" } + tailCodes;
        QTest::newRow("MENU") << "MENU"
                              << QStringList { "打开=open", "图标设置=1", "桌面工具=12", "菜单中添加应用图标=7",
                                               "菜单中添加网址=16", "菜单中添加系统图标=8", "菜单中添加文件夹=11",
                                               "删除扩展菜单" + B7 + "=6" } + tailCodes;
    }
    void entriesSendTheirCodes()
    {
        QFETCH(QString, cl);
        QFETCH(QStringList, expected);
        QScopedPointer<FormCommonIcon> icon(make(cl));
        icon->setClickStyle(0);
        FormRecycle::confirmEmpty() = [] { return false; };
        QMenu main, add, set;
        icon->fillContextMenu(&main, &add, &set);
        QSignalSpy codes(icon.data(), &FormCommonIcon::IconMenu), open(icon.data(), &FormCommonIcon::IconOpen);
        QStringList got;
        for (QAction *a : leaves(&main)) {
            codes.clear();
            open.clear();
            a->trigger();
            QVERIFY(codes.count() + open.count() <= 1);
            QVERIFY(codes.isEmpty() || codes.first().at(0) == "ico7");
            got << a->text() + "=" + (!open.isEmpty() ? "open" : codes.isEmpty() ? "-" : codes.first().at(1).toString());
        }
        QCOMPARE(got, expected);
        // Help opens the forum page on the product's host.
        QCOMPARE(m_links.urls.takeLast(), QUrl(ProductLinks::webHost() + "/bbs/forum.php?mod=forumdisplay&fid=36"));
    }

    // The real menu: opening and closing are announced, a command follows the
    // close, and the owner may delete the icon in its answer.
    void realMenu_data()
    {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<bool>("rebuild");
        QTest::addColumn<QList<int>>("codes");
        QTest::newRow("closed without a choice") << "" << false << QList<int> { 101 };
        QTest::newRow("entry chosen") << "删除图标" << false << QList<int> { 101, 6 };
        QTest::newRow("bar rebuilt in the answer") << "删除图标" << true << QList<int> { 101, 6 };
    }
    void realMenu()
    {
        QFETCH(QString, choice);
        QFETCH(bool, rebuild);
        QFETCH(QList<int>, codes);
        QPointer<FormCommonIcon> icon = make("EXE");
        QList<int> sent;
        connect(icon.data(), &FormCommonIcon::IconMenu, this, [&](const QString &, int code) {
            sent << code;
            if (rebuild && code == 6)
                delete icon.data();
        });
        QPointer<QMenu> seen;
        QTimer::singleShot(0, this, [&] {
            seen = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            QVERIFY(seen);
            QCOMPARE(seen->styleSheet(), FormCommonIcon::menuStyleSheet());
            for (QAction *a : seen->actions())
                if (a->text() == choice)
                    seen->setActiveAction(a);
            QTest::keyClick(seen, choice.isEmpty() ? Qt::Key_Escape : Qt::Key_Return);
        });
        icon->runContextMenu();
        QCOMPARE(sent, codes);
        QVERIFY(seen.isNull()); // freed after use
        QCOMPARE(icon.isNull(), rebuild);
        delete icon.data();
    }
};

ZV_TEST_MAIN(FormCommonIconMenu)
#include "tst_iconmenu.moc"
