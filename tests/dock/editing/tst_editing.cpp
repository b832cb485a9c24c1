#include "dock/editing/formaddurl.h"
#include "dock/editing/formiconlists.h"
#include "dock/editing/formiconsettings.h"
#include "dock/editing/formsidebarmenu.h"
#include "testenv.h"

#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

// The dock window's receiving slots, with their exact argument lists.
class DockSlots : public QObject
{
    Q_OBJECT
public slots:
    void AddIcon2(QString, QString, QString, QString, QString) {}
    void Modify(QString, QString, QString, QString) {}
    void IconSettingsClose() {}
    void SidebarMenuClose() {}
};

class TestEditing : public QObject
{
    Q_OBJECT
private slots:
    void windowsAreBuiltHiddenWithTheirSignals()
    {
        FormSidebarMenu side;
        FormAddUrl url;
        FormIconSettings settings;
        FormIconLists lists;
        for (QWidget *w : { (QWidget *)&side, (QWidget *)&url, (QWidget *)&settings, (QWidget *)&lists })
            QVERIFY(!w->isVisible());
        QCOMPARE(url.size(), QSize(600, 110));
        QCOMPARE(settings.size(), QSize(300, 310));

        DockSlots w;
        QVERIFY(connect(&side, &FormSidebarMenu::SidebarMenuClose, &w, &DockSlots::SidebarMenuClose));
        QVERIFY(connect(&side, &FormSidebarMenu::AddIcon, &w, &DockSlots::AddIcon2));
        QVERIFY(connect(&url, &FormAddUrl::AddIcon, &w, &DockSlots::AddIcon2));
        QVERIFY(connect(&settings, &FormIconSettings::Modify, &w, &DockSlots::Modify));
        QVERIFY(connect(&settings, &FormIconSettings::IconSettingsClose, &w, &DockSlots::IconSettingsClose));
        QVERIFY(connect(&lists, &FormIconLists::AddIcon, &w, &DockSlots::AddIcon2));
    }

    // Each pick goes out with the target the panel was last opened for.
    void sidePanelSendsItsTarget()
    {
        FormSidebarMenu side;
        QSignalSpy picks(&side, &FormSidebarMenu::AddIcon);
        side.ADDIcon(":/image/icon/Cmd.png", "命令提示符", "CMD", "cmd"); // never opened: empty target
        side.setID("ico4512");
        side.ADDIcon(":/image/icon/Cmd.png", "命令提示符", "CMD", "cmd");
        side.setID("0");
        side.ADDIcon(":/image/icon/Cmd.png", "命令提示符", "CMD", "cmd");
        QCOMPARE(picks.count(), 3);
        QCOMPARE(picks.at(0).at(4).toString(), QString());
        QCOMPARE(picks.at(1).at(4).toString(), QString("ico4512"));
        QCOMPARE(picks.at(2).at(4).toString(), QString("0"));
        QCOMPARE(picks.at(2).at(2).toString(), QString("CMD"));
    }

    void sidePanelCloseButtonTellsTheOwner()
    {
        FormSidebarMenu side;
        side.show();
        QSignalSpy closed(&side, &FormSidebarMenu::SidebarMenuClose);
        auto *button = side.findChild<QPushButton *>("close");
        QVERIFY(button);
        button->click();
        QCOMPARE(closed.count(), 1);
        QVERIFY(!side.isVisible());
    }

    void addUrlKeepsItsTarget()
    {
        FormAddUrl url;
        url.openAddPage("ico0917");
        QCOMPARE(url.targetId(), QString("ico0917"));
        url.openAddPage("0");
        QCOMPARE(url.targetId(), QString("0"));
        url.show();
        url.findChild<QPushButton *>("closeButton")->click();
        QVERIFY(!url.isVisible());
    }

    void iconSettingsPicksThePictureToEdit_data()
    {
        QTest::addColumn<QString>("icon");
        QTest::addColumn<QString>("cl");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("picture");
        QTest::newRow("plain") << "/p/a.png" << "ICON" << 0 << "/p/a.png";
        QTest::newRow("plain ignores mode") << "/p/a.png" << "URL" << 1 << "/p/a.png";
        QTest::newRow("bin empty half") << "/p/x.png,/p/y.png" << "RECYCLE" << 0 << "/p/x.png";
        QTest::newRow("bin full half") << "/p/x.png,/p/y.png" << "RECYCLE" << 1 << "/p/y.png";
        QTest::newRow("bin single picture, full half") << "/p/x.png" << "RECYCLE" << 1
                                                       << ":/image/icon/Recycle1.png";
        QTest::newRow("bin empty first part") << ",/p/y.png" << "RECYCLE" << 0 << "";
        QTest::newRow("bin unknown mode keeps field") << "/p/x.png,/p/y.png" << "RECYCLE" << 2
                                                      << "previous";
    }

    void iconSettingsPicksThePictureToEdit()
    {
        QFETCH(QString, icon);
        QFETCH(QString, cl);
        QFETCH(int, mode);
        QFETCH(QString, picture);
        FormIconSettings dialog;
        dialog.setIconData("id0", "previous", "n", "", "", "ICON", 0);
        dialog.setIconData("ico1", icon, "回收站", ":/image/icon/Recycle.png", "::{645FF040}", cl, mode);
        QCOMPARE(dialog.pictureField(), picture);
        QCOMPARE(dialog.nameField(), QString("回收站"));
        QCOMPARE(dialog.iconId(), QString("ico1"));
        QCOMPARE(dialog.icon(), icon);
        QCOMPARE(dialog.note(), QString(":/image/icon/Recycle.png"));
        QCOMPARE(dialog.path(), QString("::{645FF040}"));
        QCOMPARE(dialog.iconClass(), cl);
        QCOMPARE(dialog.mode(), mode);
        QVERIFY(!dialog.isVisible()); // filling never shows it
    }

    // However the dialog goes away, its owner hears of it.
    void iconSettingsReportsEveryClose()
    {
        FormIconSettings dialog;
        QSignalSpy closed(&dialog, &FormIconSettings::IconSettingsClose);
        dialog.show();
        dialog.findChild<QPushButton *>("close")->click();
        QVERIFY(!dialog.isVisible());
        dialog.show();
        dialog.close();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(closed.count(), 2);
    }
};

ZV_TEST_MAIN(TestEditing)
#include "tst_editing.moc"
