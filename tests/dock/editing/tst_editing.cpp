#include "dock/editing/formapplicationlists.h"
#include "dock/editing/formiconlibrary.h"
#include "dock/editing/formiconlists.h"
#include "dock/editing/formiconsettings.h"
#include "dock/editing/formsidebarmenu.h"
#include "dock/editing/iconextraction.h"
#include "dock/editing/iconfolder.h"
#include "dock/model/iconclasses.h"
#include "dock/toast/formsystemhint.h"
#include "fakedockservices.h"
#include "pebuilder.h"
#include "testenv.h"
#include "whenopen.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QFileDialog>
#include <QWindow>
#include <QSignalSpy>
#include <QTableWidget>
#include <QtTest>

namespace {

// The property dialog's Save, pressed as the user would.
void pressSave(FormIconSettings &d)
{
    d.findChild<QPushButton *>("saveButton")->click();
}

void pressDefault(FormIconSettings &d)
{
    d.findChild<QPushButton *>("defaultButton")->click();
}

void setName(FormIconSettings &d, const QString &name)
{
    d.findChild<QLineEdit *>("lineEdit")->setText(name);
}

QString writePicture(const QString &path, const QColor &colour = Qt::red, const char *format = "PNG")
{
    QDir().mkpath(QFileInfo(path).path());
    QImage img(20, 20, QImage::Format_ARGB32);
    img.fill(colour);
    img.save(path, format);
    return path;
}

// A program file with the given groups of icon sizes (one image per size).
QString writeProgram(const QString &path, const QList<QList<int>> &groups)
{
    PeBuilder b;
    quint16 id = 1;
    for (int g = 0; g < groups.size(); ++g) {
        PeBuilder::Group group { quint16(g + 1), {} };
        for (int size : groups[g]) {
            b.icons.append({ id, PeBuilder::bmpImage(size, QColor::fromHsv(id * 40 % 360, 200, 200)) });
            group.iconIds << id++;
        }
        b.groups << group;
    }
    return TestEnv::writeFile(path, b.build());
}

} // namespace

class TestEditing : public QObject
{
    Q_OBJECT
    QTemporaryDir m_tmp;

private slots:
    // Each pick goes out with the target the panel was last opened for.
    void sidePanelSendsItsTarget()
    {
        FormSidebarMenu side;
        QSignalSpy picks(&side, &FormSidebarMenu::AddIcon);
        side.ADDIcon(":/image/icon/Cmd.png", "命令提示符", "CMD", "cmd"); // never opened: empty target
        side.setID("0");
        side.ADDIcon(":/image/icon/Cmd.png", "命令提示符", "CMD", "cmd");
        QCOMPARE(picks.at(0).at(4).toString(), QString());
        QCOMPARE(picks.at(1).at(4).toString(), QString("0"));
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


    // ---- Save ----------------------------------------------------------

    void saveSendsPictureAndName_data()
    {
        QTest::addColumn<QString>("icon");
        QTest::addColumn<QString>("cl");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("choice"); // a library pick, or nothing
        QTest::addColumn<QString>("sent");
        QTest::newRow("program, new picture") << "/p/a.png" << "ICON" << 0 << ":/image/icon/Maps.png"
                                              << ":/image/icon/Maps.png";
        QTest::newRow("program, unchanged") << "/p/a.png" << "ICON" << 0 << "" << "/p/a.png";
        QTest::newRow("bin single, full half") << "/p/x.png" << "RECYCLE" << 1 << ""
                                               << "/p/x.png,:/image/icon/Recycle1.png";
        QTest::newRow("bin single, empty half") << "/p/x.png" << "RECYCLE" << 0 << ":/image/icon/Maps.png"
                                                << ":/image/icon/Maps.png,:/image/icon/Recycle1.png";
        QTest::newRow("bin pair, empty half") << "/p/x.png,/p/y.png" << "RECYCLE" << 0 << ":/image/icon/Maps.png"
                                              << ":/image/icon/Maps.png,/p/y.png";
        QTest::newRow("bin pair, full half") << "/p/x.png,/p/y.png" << "RECYCLE" << 1 << ":/image/icon/Maps.png"
                                             << "/p/x.png,:/image/icon/Maps.png";
        QTest::newRow("bin pair unchanged 0") << "/p/x.png,/p/y.png" << "RECYCLE" << 0 << "" << "/p/x.png,/p/y.png";
        QTest::newRow("bin pair unchanged 1") << "/p/x.png,/p/y.png" << "RECYCLE" << 1 << "" << "/p/x.png,/p/y.png";
    }

    // Save closes first, then hands over the row's ID, picture, name and the
    // untouched note.
    void saveSendsPictureAndName()
    {
        QFETCH(QString, icon);
        QFETCH(QString, cl);
        QFETCH(int, mode);
        QFETCH(QString, choice);
        QFETCH(QString, sent);
        FormIconSettings dialog;
        dialog.setIconData("ico7", icon, "old", "note-pic", "/p/prog", cl, mode);
        dialog.show();
        if (!choice.isEmpty())
            dialog.ADDIco(choice);
        setName(dialog, "  ");
        QStringList order;
        connect(&dialog, &FormIconSettings::IconSettingsClose, [&] { order << "close"; });
        connect(&dialog, &FormIconSettings::Modify, [&](QString id, QString ico, QString name, QString note) {
            order << "modify" << id << ico << name << note;
        });
        pressSave(dialog);
        QCOMPARE(order, QStringList({ "close", "modify", "ico7", sent, "  ", "note-pic" }));
        QVERIFY(!dialog.isVisible());
    }

    void saveRefusesAnEmptyName()
    {
        FormIconSettings dialog;
        dialog.setIconData("ico7", "/p/a.png", "old", "", "", "ICON", 0);
        dialog.show();
        setName(dialog, "");
        QSignalSpy modified(&dialog, &FormIconSettings::Modify);
        QSignalSpy closed(&dialog, &FormIconSettings::IconSettingsClose);
        pressSave(dialog);
        QCOMPARE(modified.count(), 0);
        QCOMPARE(closed.count(), 0);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.toast()->text(), QString("保存失败！请设置图标名称！"));
    }

    void binWithUnknownModeOnlyCloses()
    {
        FormIconSettings dialog;
        dialog.setIconData("ico7", "/p/x.png,/p/y.png", "bin", "", "", "RECYCLE", 2);
        QSignalSpy modified(&dialog, &FormIconSettings::Modify);
        QSignalSpy closed(&dialog, &FormIconSettings::IconSettingsClose);
        pressSave(dialog);
        QCOMPARE(modified.count(), 0);
        QCOMPARE(closed.count(), 1);
    }

    // A comma in a picture's path must not split the bin's pair anew: the
    // picture is kept in the icon folder under a name without one.
    void commaInBinPictureKeepsThePair()
    {
        const QString odd = writePicture(m_tmp.path() + "/pics/a,b.png", Qt::blue);
        FormIconSettings dialog;
        dialog.setIconData("ico7", "/p/x.png,/p/y.png", "bin", "", "", "RECYCLE", 1);
        dialog.ADDIco(odd);
        QSignalSpy modified(&dialog, &FormIconSettings::Modify);
        pressSave(dialog);
        const QString sent = modified.at(0).at(1).toString();
        const QStringList pair = sent.split(',');
        QCOMPARE(pair.size(), 2);
        QCOMPARE(pair.at(0), QString("/p/x.png"));
        QCOMPARE(pair.at(1), IconFolder::file("a_b.png"));
        QCOMPARE(QColor(QImage(pair.at(1)).pixel(3, 3)), QColor(Qt::blue));

        // A picture that cannot be copied leaves that half as it was.
        dialog.setIconData("ico7", "/p/x.png,/p/y.png", "bin", "", "", "RECYCLE", 0);
        dialog.ADDIco("/nowhere/c,d.png");
        pressSave(dialog);
        QCOMPARE(modified.at(1).at(1).toString(), QString("/p/x.png,/p/y.png"));
    }

    // ---- Default and Customise ------------------------------------------

    void defaultByClass_data()
    {
        QTest::addColumn<QString>("cl");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("picture");
        QTest::newRow("bin empty") << "RECYCLE" << 0 << ":/image/icon/Recycle.png";
        QTest::newRow("bin full") << "RECYCLE" << 1 << ":/image/icon/Recycle1.png";
        QTest::newRow("bin other mode") << "RECYCLE" << 3 << "kept";
        QTest::newRow("preset takes its note") << "CALCULATOR" << 0 << ":/image/icon/Brackets.png";
        QTest::newRow("web site takes its note") << "URL" << 0 << ":/image/icon/Brackets.png";
    }
    void defaultByClass()
    {
        QFETCH(QString, cl);
        QFETCH(int, mode);
        QFETCH(QString, picture);
        FormIconSettings dialog;
        dialog.setIconData("ico1", "kept,kept", "n", ":/image/icon/Brackets.png", "0", cl, mode);
        dialog.ADDIco("kept");
        pressDefault(dialog);
        QCOMPARE(dialog.pictureField(), picture);
    }

    // Default for a program takes the pictures stored in it.
    void defaultForProgramFiles_data()
    {
        QTest::addColumn<QString>("file");       // made under the test folder
        QTest::addColumn<QList<QList<int>>>("groups");
        QTest::addColumn<QString>("picture");    // "<n>" stands for the n-th file written
        QTest::addColumn<int>("saved");
        QTest::addColumn<int>("width");
        QTest::newRow("one group, largest wins") << "prog.exe" << QList<QList<int>> { { 16, 32, 48 } } << "<1>" << 1 << 48;
        QTest::newRow("odd sizes only") << "odd.exe" << QList<QList<int>> { { 20, 40 } }
                                        << ":/image/icon/Icon-what.png" << 0 << 0;
        QTest::newRow("two groups of 48") << "two.exe" << QList<QList<int>> { { 16, 48 }, { 48 } } << "chooser" << 2 << 48;
        QTest::newRow("capital suffix") << "BIG.EXE" << QList<QList<int>> { { 256 } } << "<1>" << 1 << 256;
        QTest::newRow("library file") << "lib.dll" << QList<QList<int>> { { 24 } } << "<1>" << 1 << 24;
        QTest::newRow("no icons") << "bare.exe" << QList<QList<int>> {} << ":/image/icon/Icon-what.png" << 0 << 0;
    }
    void defaultForProgramFiles()
    {
        QFETCH(QString, file);
        QFETCH(QList<QList<int>>, groups);
        QFETCH(QString, picture);
        QFETCH(int, saved);
        QFETCH(int, width);
        const QString path = writeProgram(m_tmp.path() + "/progs/" + file, groups);
        FormIconSettings dialog;
        dialog.setIconData("ico1", "/p/old.png", "n", ":/image/icon/Brackets.png", path, "ICON", 0);
        pressDefault(dialog);
        QCOMPARE(dialog.extraction().saved, saved);
        const QString base = QFileInfo(path).baseName();
        if (picture == "chooser") {
            QVERIFY(dialog.chooser()->isVisible());
            QCOMPARE(dialog.chooser()->count(), saved);
            QCOMPARE(dialog.pictureField(), QString("/p/old.png")); // until a pick
            QCOMPARE(dialog.chooser()->size(), QSize(saved * 74 + 40, 150));
            QCOMPARE(dialog.chooser()->cell(2)->icon(), IconFolder::file(base + "2.png"));
            // The pick comes back as the picture.
            QTest::mouseClick(dialog.chooser()->cell(2), Qt::LeftButton);
            QCOMPARE(dialog.pictureField(), IconFolder::file(base + "2.png"));
            QVERIFY(!dialog.chooser()->isVisible());
            QVERIFY(!dialog.chooser()->cell(1));
        } else {
            QVERIFY(!dialog.chooser()->isVisible());
            QCOMPARE(dialog.pictureField(), picture.replace("<1>", IconFolder::file(base + "1.png")));
        }
        for (int n = 1; n <= saved; ++n)
            QCOMPARE(QImage(IconFolder::file(base + QString::number(n) + ".png")).width(), width);
    }

    // The sizes pictures state are read first: only the pictures kept are
    // decoded, and none past the pixel cap of every picture.
    void picturesAreMeasuredBeforeTheyAreDecoded()
    {
        const QByteArray huge = PeBuilder::hugePng(16000); // 256 MB once decoded
        QVERIFY(huge.size() < 4 << 20);
        QByteArray broken = PeBuilder::pngImage(256, Qt::red);
        broken.truncate(broken.size() / 2); // states 256, does not decode
        PeBuilder b;
        b.icons = { { 1, huge }, { 2, broken }, { 3, PeBuilder::bmpImage(48, Qt::green) },
                    { 4, PeBuilder::bmpImage(16, Qt::blue) } };
        b.groups = { { 1, { 1, 2, 3, 4 } } };
        const QString path = TestEnv::writeFile(m_tmp.path() + "/progs/huge.exe", b.build());
        const long before = TestEnv::peakMemoryKb();
        int largest = 0;
        const QList<QImage> kept = IconExtraction::peImages(path, &largest);
        QCOMPARE(largest, 48);
        QCOMPARE(kept.size(), 1);
        QCOMPARE(kept.first().size(), QSize(48, 48));
        QVERIFY2(TestEnv::peakMemoryKb() - before < 100 * 1024, "a picture past the cap was decoded");
        // Within the cap, a large standard picture is taken as before.
        b.icons = { { 1, PeBuilder::pngImage(256, Qt::red) }, { 3, PeBuilder::bmpImage(48, Qt::green) } };
        b.groups = { { 1, { 1, 3 } } };
        const QList<QImage> big = IconExtraction::peImages(TestEnv::writeFile(path, b.build()), &largest);
        QCOMPARE(largest, 256);
        QCOMPARE(big.size(), 1);
    }

    void defaultForOtherTargets()
    {
        const QString root = m_tmp.path() + "/targets";
        const QString program = writeProgram(root + "/ed.exe", { { 32 } });
        QVERIFY(QFile::link(program, root + "/Editor.lnk"));
        QDir().mkpath(root + "/folder");
        QVERIFY(QFile::link(root + "/folder", root + "/Folder.lnk"));
        TestEnv::writeFile(root + "/notes.txt", "text");

        FormIconSettings dialog;
        // The picture, and "!" when the toast said the program has none.
        auto fromDefault = [&](const QString &path) {
            dialog.toast()->hide();
            dialog.setIconData("ico1", "/p/old.png", "n", "note.png", path, "ICON", 0);
            pressDefault(dialog);
            const bool said = dialog.toast()->isVisible() && dialog.toast()->text() == "未找到应用图标！";
            return dialog.pictureField() + (said ? "!" : "");
        };
        // A shortcut's pictures carry the shortcut's name, not its target's.
        QCOMPARE(fromDefault(root + "/Editor.lnk"), IconFolder::file("Editor1.png"));
        QVERIFY(!QFile::exists(IconFolder::file("ed1.png")));
        QCOMPARE(fromDefault(root + "/Folder.lnk"), QString("note.png"));
        QCOMPARE(fromDefault(root + "/folder"), QString("note.png"));
        QCOMPARE(fromDefault(root + "/gone.lnk"), QString("note.png"));
        QCOMPARE(fromDefault(root + "/notes.txt"), QString(":/image/icon/Icon-what.png!"));
        QCOMPARE(fromDefault(root + "/missing.exe"), QString(":/image/icon/Icon-what.png!"));
    }

    // A picture that could not be written is not counted, so no empty
    // picture is offered.
    void failedWriteIsNotCounted()
    {
        const QString program = writeProgram(m_tmp.path() + "/w/write.exe", { { 32 } });
        const QString folder = IconFolder::path();
        const QString aside = folder + ".aside";
        QVERIFY(QDir().rename(folder, aside) || !QFileInfo::exists(folder));
        TestEnv::writeFile(folder, "not a folder");
        FormIconSettings dialog;
        dialog.setIconData("ico1", "/p/old.png", "n", "note.png", program, "ICON", 0);
        pressDefault(dialog);
        QCOMPARE(dialog.extraction().saved, 0);
        QCOMPARE(dialog.pictureField(), QString(":/image/icon/Icon-what.png"));
        QFile::remove(folder);
        QDir().rename(aside, folder);
    }

    void customiseTakesAPictureFile()
    {
        FakeDialogs dialogs;
        const QString root = m_tmp.path() + "/custom";
        const QString ico = writePicture(root + "/x.y.ICO", Qt::yellow, "ICO");
        const QString png = writePicture(root + "/z.png");
        FormIconSettings dialog;
        dialog.setIconData("ico1", "/p/old.png", "n", "", "", "URL", 0);
        auto customise = [&] { dialog.findChild<QPushButton *>("customizeButton")->click(); };

        dialogs.files = QStringList();
        customise();
        QCOMPARE(dialog.pictureField(), QString("/p/old.png")); // cancelled

        dialogs.files = QStringList { ico };
        customise();
        QCOMPARE(dialog.pictureField(), IconFolder::file("xico.png"));
        QCOMPARE(QColor(QImage(IconFolder::file("xico.png")).pixel(2, 2)), QColor(Qt::yellow));

        dialogs.files = QStringList { png };
        customise();
        QCOMPARE(dialog.pictureField(), png); // used where it lies

        // The pictures of icon themes.
        const QString svg = TestEnv::writeFile(root + "/theme.svg",
            "<svg xmlns='http://www.w3.org/2000/svg' width='48' height='48'><rect width='48' height='48' fill='#00ff00'/></svg>");
        dialogs.files = QStringList { svg };
        customise();
        QCOMPARE(dialog.pictureField(), svg);
        const QImage shown = dialog.findChild<QLabel *>("Icon")->pixmap(Qt::ReturnByValue).toImage();
        QCOMPARE(shown.size(), QSize(150, 150));
        QCOMPARE(shown.pixelColor(75, 75), QColor(Qt::green));
        for (const char *kind : { "*.svg", "*.SVG", "*.xpm", "*.XPM", "*.png", "*.ico" })
            QVERIFY2(dialogs.filters.last().contains(kind), kind);
        QCOMPARE(dialogs.owners.last(), &dialog);
    }

    // The picture chooser is the transient child of the dialog, above it
    // and centred on it, whatever the dialog's own look.
    void pictureChooserStandsOverTheDialog()
    {
        FormIconSettings dialog;
        dialog.setIconData("ico1", "/p/old.png", "n", "", "", "URL", 0);
        dialog.move(250, 145);
        dialog.show();
        QString title;
        QWindow *parent = nullptr;
        QPoint centre;
        whenOpen([&](QWidget *modal) {
            if (auto *chooser = qobject_cast<QFileDialog *>(modal)) {
                title = chooser->windowTitle();
                parent = chooser->windowHandle()->transientParent();
                centre = chooser->geometry().center();
            }
        });
        dialog.findChild<QPushButton *>("customizeButton")->click();
        QCOMPARE(title, QString("选择图标文件"));
        QCOMPARE(parent, dialog.windowHandle());
        QCOMPARE(centre, dialog.geometry().center());
        QCOMPARE(dialog.pictureField(), QString("/p/old.png"));
    }

    // ---- library and layout ---------------------------------------------

    void libraryToggleAndCloseReset()
    {
        FormIconSettings dialog;
        dialog.show();
        auto at = [&](const char *name) { return dialog.findChild<QPushButton *>(name)->pos(); };
        dialog.findChild<QPushButton *>("modifyButton")->click();
        QVERIFY(dialog.libraryOpen());
        QCOMPARE(dialog.height(), 586);
        QCOMPARE(at("modifyButton"), QPoint(20, 540));
        QCOMPARE(at("saveButton"), QPoint(170, 540));
        QCOMPARE(at("defaultButton"), QPoint(20, 265));
        QCOMPARE(at("customizeButton"), QPoint(170, 265));
        dialog.close();
        QVERIFY(!dialog.libraryOpen());
        QCOMPARE(dialog.height(), 310);
        QCOMPARE(at("modifyButton"), QPoint(20, 265));
        QCOMPARE(at("defaultButton"), QPoint(20, 540));
    }

    void libraryGridAndPicks()
    {
        FormIconSettings dialog;
        FormIconLibrary *library = dialog.library();
        QVERIFY(!library->built()); // not before the dialog is first shown
        QVERIFY(library->findChildren<FormIconLibraryItem *>().isEmpty());
        dialog.show();
        const QList<FormIconLibraryItem *> cells = library->findChildren<FormIconLibraryItem *>();
        QCOMPARE(cells.size(), 69);
        const auto *table = library->findChild<QTableWidget *>("IcoData");
        QVERIFY(table->isHidden());
        QStringList paths;
        for (int i = 0; i < cells.size(); ++i) {
            QCOMPARE(cells[i]->pos(), QPoint(i % 3 * 79, i / 3 * 79));
            QVERIFY2(!QPixmap(cells[i]->icon()).isNull(), qPrintable(cells[i]->icon()));
            paths << cells[i]->icon();
        }
        QCOMPARE(paths.removeDuplicates(), 0);

        QTest::mouseClick(cells[12], Qt::RightButton);
        QCOMPARE(dialog.pictureField(), QString());
        QTest::mouseClick(cells[12], Qt::LeftButton);
        QCOMPARE(dialog.pictureField(), QString(":/image/icon/Maps.png"));
    }

    // ---- chooser ---------------------------------------------------------

    void chooserSizes_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("last");
        QTest::newRow("1") << 1 << QSize(114, 150) << QPoint(0, 1);
        QTest::newRow("2") << 2 << QSize(188, 150) << QPoint(74, 1);
        QTest::newRow("10") << 10 << QSize(780, 150) << QPoint(666, 1);
        QTest::newRow("11") << 11 << QSize(780, 270) << QPoint(0, 86);
        QTest::newRow("20") << 20 << QSize(780, 355) << QPoint(666, 86);
        QTest::newRow("21") << 21 << QSize(780, 355) << QPoint(0, 171);
    }
    void chooserSizes()
    {
        QFETCH(int, n);
        QFETCH(QSize, size);
        QFETCH(QPoint, last);
        FormIconLists chooser;
        chooser.setCount(n);
        QCOMPARE(chooser.size(), size);
        chooser.populate("/p/prog", "prog", "ICON", "", "0");
        QCOMPARE(chooser.cell(n)->pos(), last);
        QCOMPARE(chooser.cell(n)->icon(), QString("/p/prog%1.png").arg(n));
        QCOMPARE(chooser.findChild<QPushButton *>("close")->pos(), QPoint(size.width() - 18 - 8, 8));
    }

    void chooserClosesWithoutPickOnDeactivation()
    {
        FormIconLists chooser;
        QSignalSpy picks(&chooser, &FormIconLists::AddIcon);
        chooser.setCount(3);
        chooser.populate("/p/prog", "prog", "ICON", "", "0");
        chooser.show();
        QEvent deactivate(QEvent::WindowDeactivate);
        QApplication::sendEvent(&chooser, &deactivate);
        QVERIFY(!chooser.isVisible());
        QVERIFY(!chooser.cell(1));
        QCOMPARE(picks.count(), 0);
    }

    // ---- side panel and its preset lists ----------------------------------

    void presetRows_data()
    {
        QTest::addColumn<bool>("tools");
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("sent"); // picture, name, class, path
        QTest::addColumn<QString>("group");
        const QString sys = "系统应用", own = "佐凡工具";
        auto row = [](const char *name, bool tools, int r, QStringList s, QString g) {
            QTest::newRow(name) << tools << r << s << g;
        };
        row("computer", false, 0, { ":/image/icon/Finder.png", "计算机", "COMPUTER", "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}" }, sys);
        row("bin", false, 3, { ":/image/icon/Recycle1.png", "回收站", "RECYCLE", "::{645FF040-5081-101B-9F08-00AA002F954E}" }, sys);
        row("cmd", false, 5, { ":/image/icon/Cmd.png", "命令提示符", "CMD", "C:/Windows/System32/cmd.exe" }, sys);
        row("start menu", false, 9, { ":/image/icon/StartMenu.png", "开始菜单", "STARTMENU", "0" }, sys);
        row("settings", true, 0, { ":/image/icon/Setting1.png", "Dock设置", "SETTING", "0" }, own);
        row("picker, trailing blank", true, 5, { ":/image/icon/Sip.png", "佐凡取色器 ", "COLORPICKER", "0" }, own);
        row("clock 2", true, 9, { ":/image/icon/Clock22.png", "时间日期", "TIME2", "::{26EE0668-A00A-44D7-9371-BEB064C98683}\\6" }, own);
    }

    // Each row's add button sends that row, through the panel, with the
    // panel's target; the same row twice sends it twice.
    void presetRows()
    {
        QFETCH(bool, tools);
        QFETCH(int, row);
        QFETCH(QStringList, sent);
        QFETCH(QString, group);
        FormSidebarMenu side;
        side.setID("ico0412");
        ApplicationList *list = tools ? static_cast<ApplicationList *>(side.toolsList()) : side.systemList();
        QCOMPARE(list->height(), 840);
        QVERIFY(!list->built());
        side.show();
        if (tools)
            side.findChild<QPushButton *>("MButton2")->click();
        QVERIFY(list->built());
        FormApplicationItem *item = nullptr;
        for (auto *i : list->findChildren<FormApplicationItem *>())
            if (i->pos() == QPoint(0, 84 * row))
                item = i;
        QVERIFY(item);
        QCOMPARE(item->findChild<QLabel *>("name")->text(), sent.at(1));
        QCOMPARE(item->findChild<QLabel *>("Class")->text(), group);
        QSignalSpy picks(&side, &FormSidebarMenu::AddIcon);
        for (int i = 0; i < 2; ++i)
            item->findChild<QPushButton *>("pushButton")->click();
        QCOMPARE(picks.count(), 2);
        for (int i = 0; i < 2; ++i) {
            QStringList got;
            for (const QVariant &v : picks.at(i))
                got << v.toString();
            QCOMPARE(got, sent + QStringList { "ico0412" });
        }
    }

    // Every row of both catalogues adds an icon of a class the table knows;
    // a keyword that is not (a typo, a class renamed) is what the check finds.
    void presetRowsAreOfKnownClasses()
    {
        FormApplicationLists system;
        FormApplicationLists2 tools;
        for (ApplicationList *list : { static_cast<ApplicationList *>(&system), static_cast<ApplicationList *>(&tools) }) {
            QTableWidget *presets = list->presets();
            QCOMPARE(presets->rowCount(), 10);
            QVERIFY2(list->unknownClasses().isEmpty(), qPrintable(list->unknownClasses().join(' ')));
            for (int r = 0; r < presets->rowCount(); ++r)
                QVERIFY(IconClasses::known(presets->item(r, 3)->text()));
            presets->item(4, 3)->setText("DISC");
            QCOMPARE(list->unknownClasses(), QStringList { "DISC" });
        }
    }

    // The panel first opens in the middle of the screen; later openings keep
    // the place it was dragged to, and the tab that was chosen.
    void sidePanelKeepsPlaceAndTab()
    {
        FormSidebarMenu side;
        side.show();
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(side.geometry().center().x(), area.center().x());
        side.move(40, 50);
        auto *system = side.findChild<QScrollArea *>("scrollAreaSystem");
        auto *tools = side.findChild<QScrollArea *>("scrollAreaSystem2");
        QVERIFY(system->isVisible() && !tools->isVisible());
        side.findChild<QPushButton *>("MButton2")->click();
        QVERIFY(!system->isVisible() && tools->isVisible());
        QSignalSpy closed(&side, &FormSidebarMenu::SidebarMenuClose);
        side.findChild<QPushButton *>("close")->click();
        QCOMPARE(closed.count(), 1);
        QVERIFY(!side.isVisible());
        side.show();
        QCOMPARE(side.pos(), QPoint(40, 50));
        QVERIFY(!system->isVisible() && tools->isVisible());
    }
};

ZV_TEST_MAIN(TestEditing)
#include "tst_editing.moc"
