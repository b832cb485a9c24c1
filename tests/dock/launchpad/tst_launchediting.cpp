// Changing the launch pad's list from the user's side: edit mode, adding and
// refusing icons, programs and folders through the choosers, the property
// dialog (a recycle bin's two pictures included), deleting, and the pad
// staying open while a dialog of its own has the focus.
#include "padfixture.h"

#include "dock/editing/formiconsettings.h"
#include "dock/editing/formsidebarmenu.h"
#include "platform/paths.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

using namespace PadTest;

namespace {

QString picture(const QString &path, Qt::GlobalColor colour)
{
    QImage img(64, 64, QImage::Format_RGB32);
    img.fill(colour);
    img.save(path);
    return path;
}

// The colour in the middle of what an icon shows.
QColor shownColour(FormLaunchCommonIcon *icon)
{
    const QImage img = icon->grab().toImage();
    return img.pixelColor(img.width() / 2, icon->height() * 4 / 10);
}

} // namespace

class TestLaunchEditing : public QObject
{
    Q_OBJECT
    Services services;

    // Deactivation closes the pad 200 ms later unless a dialog of its own is open.
    static bool closesWhenLeft(FormLaunchStarter &pad)
    {
        QEvent deactivate(QEvent::WindowDeactivate);
        QApplication::sendEvent(&pad, &deactivate);
        QTest::qWait(260);
        const bool closed = !pad.isShown();
        if (closed)
            open(pad);
        return closed;
    }

private slots:
    void init() { reset(); }

    // Window managers pass the keyboard about while they map a window: the
    // keyboard back within the delay keeps the pad open.
    void aMomentWithoutTheKeyboardIsNoLeaving()
    {
        writePad(many(3));
        FormLaunchStarter pad;
        open(pad);
        QEvent deactivate(QEvent::WindowDeactivate), activate(QEvent::WindowActivate);
        QApplication::sendEvent(&pad, &deactivate);
        QApplication::sendEvent(&pad, &activate);
        QTest::qWait(400);
        QVERIFY(pad.isShown());
        QVERIFY(closesWhenLeft(pad));
    }

    void editMode()
    {
        writePad(many(3));
        FormLaunchStarter pad;
        open(pad);
        Pointer mouse(pad);
        auto *close = pad.findChild<QPushButton *>("closeButton");
        pad.findChild<QPushButton *>("editSysButton")->click();
        QVERIFY(pad.editing()->isEditMode());
        QVERIFY(icon(pad, "ico0001")->isDeleteShown());
        close->click(); // only leaves edit mode
        QVERIFY(!pad.editing()->isEditMode());
        QVERIFY(pad.isShown());
        QVERIFY(!icon(pad, "ico0001")->isDeleteShown());

        // The long press of one icon: all of them, those made later too.
        mouse.press(on(pad, "ico0002", 80));
        QVERIFY(hold(pad));
        mouse.release();
        QVERIFY(icon(pad, "ico0000")->isDeleteShown());
        QTest::mouseClick(icon(pad, "ico0002")->findChild<QPushButton *>("deleteButton"), Qt::LeftButton);
        QCOMPARE(ids(saved()), (QStringList { "ico0000", "ico0001" }));
        QVERIFY(!icon(pad, "ico0002"));
        QCOMPARE(toastText(pad), QString("删除成功！"));
        // A badge held while edit mode ends deletes nothing when let go.
        QPushButton *badge = icon(pad, "ico0001")->findChild<QPushButton *>("deleteButton");
        mouse.press(badge->mapToGlobal(QPoint(5, 5)));
        QEvent deactivate(QEvent::WindowDeactivate);
        QApplication::sendEvent(&pad, &deactivate);
        QVERIFY(!pad.editing()->isEditMode());
        mouse.release();
        QVERIFY(icon(pad, "ico0001"));
        QCOMPARE(ids(saved()), (QStringList { "ico0000", "ico0001" }));
        QTRY_VERIFY(!pad.isShown()); // the deactivation closes the pad soon after
        open(pad);
        pad.editing()->showBadges();
        // The edit badge opens the property dialog for its icon.
        QTest::mouseClick(icon(pad, "ico0001")->findChild<QPushButton *>("editButton"), Qt::LeftButton);
        QVERIFY(pad.editing()->propertyDialog()->isVisible());
        QCOMPARE(pad.editing()->propertyDialog()->findChild<QLineEdit *>("lineEdit")->text(), QString("ico0001"));
        // An icon added now leaves edit mode.
        pad.editing()->add(Pic, "n", "ICON", "/usr/bin/n");
        QVERIFY(!pad.editing()->isEditMode());
        QVERIFY(!icon(pad, "ico0000")->isDeleteShown());

        // The icon's own menu deletes too.
        Menus menus;
        menus.choose = "删除图标     ";
        mouse.click(on(pad, "ico0000", 80), Qt::RightButton);
        QCOMPARE(menus.shown, 1);
        QTRY_VERIFY(!icon(pad, "ico0000"));
        QVERIFY(!ids(saved()).contains("ico0000"));
    }

    void addingAndRefusing_data()
    {
        QTest::addColumn<QString>("cl");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("toast");
        QTest::addColumn<bool>("added");
        for (const char *cl : { "UPGRADE", "MENU", "DISK", "STARTMENU", "TIME1", "TIME2", "LAUNCHPAD" })
            QTest::newRow(cl) << cl << "0" << "此应用不能添加！" << false;
        QTest::newRow("web site") << "URL" << "https://example.org" << "添加成功！" << true;
        QTest::newRow("folder") << "FOLDER" << "/tmp" << "添加成功！" << true;
        QTest::newRow("tool") << "WEATHER" << "0" << "添加成功！" << true;
        QTest::newRow("no path") << "ICON" << "" << "不能添加！" << false;
    }
    void addingAndRefusing()
    {
        QFETCH(QString, cl);
        QFETCH(QString, path);
        QFETCH(QString, toast);
        QFETCH(bool, added);
        writePad(many(2));
        FormLaunchStarter pad;
        pad.placeOnScreen(0, 0, 1920, 1080);
        QCOMPARE(pad.addIconFromDock(Pic, "x", cl, path, "0"), added);
        QCOMPARE(toastText(pad), toast);
        QCOMPARE(saved().size(), added ? 3 : 2);
        if (added) {
            const DockIconRecord r = pad.rows()->stored().last();
            QCOMPARE(r.Class, cl);
            QCOMPARE(r.Note, r.Icon);
            QVERIFY(!icon(pad, r.IconID)->isHidden());
        }
        // The side panel goes through the same door.
        emit pad.editing()->sidePanel()->AddIcon(Pic, "y", cl, path, "whatever");
        QCOMPARE(saved().size(), added ? 4 : 2);
    }

    void aDropBeforeThePadWasPlacedIsKept()
    {
        FormLaunchStarter pad;
        QVERIFY(pad.addIconFromDock(Pic, "x", "ICON", "/usr/bin/x", "0"));
        QCOMPARE(saved().size(), 13); // the presets and the new one
    }

    void addingPrograms()
    {
        QTemporaryDir dir;
        const QString prog = TestEnv::writeFile(dir.path() + "/my%20dir/Setup.beta.exe", "x", true);
        const QString folder = dir.path() + "/Stuff";
        QDir().mkpath(folder);
        FormLaunchStarter pad;
        open(pad);
        services.dialogs.files = QStringList { prog };
        pad.findChild<QPushButton *>("addButton")->click();
        DockIconRecord r = pad.rows()->stored().last();
        // The file name up to its first dot; the path exactly as chosen.
        QCOMPARE(r.Name, QString("Setup"));
        QCOMPARE(r.Path, prog);
        QCOMPARE(r.Icon, platform::appConfigFolder() + "/icon/Setup.png");
        QVERIFY(QFile::exists(r.Icon));
        QVERIFY(closesWhenLeft(pad));
        // The program dialog is the dock's: the application list over the
        // pad, its file chooser where the dock's opens.
        QCOMPARE(services.dialogs.applicationOwners, QList<QWidget *>{ &pad });
        QCOMPARE(services.dialogs.owners.last(), static_cast<QWidget *>(&pad));
        QCOMPARE(services.dialogs.folders.last(), qEnvironmentVariable("XDG_DATA_HOME") + "/applications");

        services.dialogs.folder = folder;
        pad.findChild<QPushButton *>("addFolderButton")->click();
        r = pad.rows()->stored().last();
        QCOMPARE(r.Name, QString("Stuff"));
        QCOMPARE(r.Class, QString("FOLDER"));
        QCOMPARE(r.Icon, QString(":/image/icon/Folder.png"));

        // A file whose picture cannot be taken gets the unknown picture.
        services.fileIcons.giveIcons = false;
        services.dialogs.files = QStringList { prog };
        pad.editing()->addPrograms();
        services.fileIcons.giveIcons = true;
        QCOMPARE(pad.rows()->stored().last().Icon, QString(":/image/icon/Icon-what.png"));

        // Cancelled: the pad stays open when it loses the focus, until the
        // property dialog closes or the pad does.
        services.dialogs.files.clear();
        pad.editing()->addPrograms();
        QVERIFY(!closesWhenLeft(pad));
        pad.editing()->edit("ico000001", 1);
        QVERIFY(!closesWhenLeft(pad));
        emit pad.editing()->propertyDialog()->IconSettingsClose();
        QVERIFY(closesWhenLeft(pad));
    }

    // A recycle bin keeps its two pictures in one field; editing it in the
    // property dialog keeps both, and the pad shows the one the trash asks for.
    void recycleBinPictures()
    {
        QTemporaryDir dir;
        const QString empty = picture(dir.filePath("empty.png"), Qt::red);
        const QString full = picture(dir.filePath("full.png"), Qt::blue);
        writePad({ { "icoR", empty + "," + full, "回收站", "RECYCLE", "::{645FF040-5081-101B-9F08-00AA002F954E}", "" },
                   rec("ico0001") });
        services.trash.current = platform::Trash::Empty;
        FormLaunchStarter pad;
        open(pad);
        QCOMPARE(shownColour(icon(pad, "icoR")), QColor(Qt::red));

        pad.editing()->edit("icoR", 1);
        FormIconSettings *dialog = pad.editing()->propertyDialog();
        dialog->findChild<QLineEdit *>("lineEdit")->setText("垃圾");
        dialog->findChild<QPushButton *>("saveButton")->click();
        QCOMPARE(toastText(pad), QString("图标修改成功！"));
        QCOMPARE(saved().first().Icon, empty + "," + full);
        QCOMPARE(saved().first().Name, QString("垃圾"));
        QCOMPARE(shownColour(icon(pad, "icoR")), QColor(Qt::red));

        // After a restart, with the trash full.
        services.trash.current = platform::Trash::HoldsItems;
        FormLaunchStarter again;
        open(again);
        QCOMPARE(shownColour(icon(again, "icoR")), QColor(Qt::blue));
        // The copy that follows a drag shows the same picture.
        Pointer mouse(again);
        mouse.lift(on(again, "icoR", 80));
        QCOMPARE(shownColour(again.drag()->floatingCopy()), QColor(Qt::blue));
        mouse.release();
    }
};

ZV_TEST_MAIN(TestLaunchEditing)
#include "tst_launchediting.moc"
