// The file dialogs and questions stand over the window they were opened
// from: its transient children, centred on it, on its screen.
#include "platform/dialogs.h"
#include "platform/paths.h"
#include "fakedesktop.h"
#include "testenv.h"
#include "whenopen.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QScreen>
#include <QWindow>
#include <QtTest>

using namespace platform;

class TestDialogs : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void fileDialogsStandOverTheirOwner()
    {
        QWidget owner;
        owner.setStyleSheet("QWidget{background:red;}");
        owner.setGeometry(200, 150, 500, 300);
        owner.show();
        const QString places = dir.path() + "/apps";
        QDir().mkpath(places);
        bool looked = false;
        whenOpen([&](QWidget *d) {
            auto *fd = qobject_cast<QFileDialog *>(d);
            QVERIFY(fd);
            QVERIFY(!fd->parent());
            QCOMPARE(fd->styleSheet(), QString());
            QCOMPARE(fd->windowHandle()->transientParent(), owner.windowHandle());
            QCOMPARE(fd->geometry().center(), owner.geometry().center());
            QVERIFY(fd->sidebarUrls().contains(QUrl::fromLocalFile(places)));
            QCOMPARE(fd->windowTitle(), QString("选择文件"));
            QCOMPARE(fd->nameFilters().value(0), QString("a(*.desktop)"));
            looked = true;
        });
        QCOMPARE(DialogsService::get().openFileNames(&owner, "选择文件", dir.path(), "a(*.desktop);;b(*)",
                                                     { places, dir.path() + "/gone" }),
                 QStringList());
        QVERIFY(looked);

        // The owner is any widget of the window; the folder chooser too.
        QWidget *inner = new QWidget(&owner);
        looked = false;
        whenOpen([&](QWidget *d) {
            QCOMPARE(d->windowHandle()->transientParent(), owner.windowHandle());
            QVERIFY(static_cast<QFileDialog *>(d)->testOption(QFileDialog::ShowDirsOnly));
            looked = true;
        });
        QCOMPARE(DialogsService::get().existingFolder(inner, "选择文件夹", dir.path()), QString());
        QVERIFY(looked);
    }

    // Dialogs start on the desktop where there is one; a new account may
    // have none, and a missing folder would be typed in as a file name.
    void desktopFolderOrHome()
    {
        ScopedEnv home("HOME", dir.path().toUtf8());
        const QString first = desktopFolder();
        QDir().mkpath(dir.path() + "/Desktop");
        const QString then = desktopFolder();
        QCOMPARE(first, dir.path());
        QCOMPARE(then, dir.path() + "/Desktop");
    }

    // A window at the screen's edge: the dialog stays whole on the screen.
    // A message box lays itself out as it shows and is centred after that.
    void questionsStayOnTheScreen()
    {
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QWidget owner;
        owner.setGeometry(area.right() - 120, area.bottom() - 80, 100, 60);
        owner.show();
        QMessageBox box(QMessageBox::Question, "提示！", "系统语言已经改变，需要重启Zorvane程序才能生效！是否马上重启？",
                        QMessageBox::Yes | QMessageBox::No);
        placeOver(&box, &owner);
        bool looked = false;
        whenOpen([&](QWidget *d) {
            QCOMPARE(d, &box);
            QVERIFY(area.contains(box.frameGeometry()));
            QCOMPARE(box.frameGeometry().right(), area.right());
            QCOMPARE(box.windowHandle()->transientParent(), owner.windowHandle());
            looked = true;
        });
        box.exec();
        QVERIFY(looked);

        owner.move(area.center() - QPoint(50, 30));
        looked = false;
        whenOpen([&](QWidget *) {
            QCOMPARE(box.geometry().center(), owner.geometry().center());
            looked = true;
        });
        box.exec();
        QVERIFY(looked);
    }

    // A frameless window of ours placed over its owner becomes a dialog that
    // the window system is told stands over the owner's window. It is
    // centred on its first showing, then stays where the user moved it,
    // unless that is off the screen the owner is on by then.
    void ownWindowsKeepTheirPlaceOnTheOwnersScreen()
    {
        FakeScreens screens({ { QRect(0, 0, 1280, 800), QRect(0, 0, 1280, 760) },
                              { QRect(1280, 0, 1280, 800), QRect(1280, 0, 1280, 800) } });
        QWidget owner;
        owner.setGeometry(1280, 0, 1280, 800);
        owner.show();
        QWidget inner(&owner);
        QWidget panel;
        panel.setWindowFlags(Qt::FramelessWindowHint);
        panel.resize(400, 300);
        placeOver(&panel, &inner, Placing::OwnersScreen);
        QCOMPARE(panel.windowType(), Qt::Dialog);
        QVERIFY(panel.windowFlags() & Qt::FramelessWindowHint);
        panel.show();
        QCOMPARE(panel.windowHandle()->transientParent(), owner.windowHandle());
        QCOMPARE(panel.geometry().center(), owner.geometry().center());
        panel.move(1300, 20);
        panel.hide();
        panel.show();
        QCOMPARE(panel.pos(), QPoint(1300, 20));
        panel.hide();
        // The owner on the first screen, near its foot: whole on its free part.
        owner.setGeometry(0, 700, 200, 100);
        panel.show();
        QVERIFY(QRect(0, 0, 1280, 760).contains(panel.geometry()));
        QCOMPARE(panel.geometry().bottom(), 759);
    }
};

ZV_TEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
