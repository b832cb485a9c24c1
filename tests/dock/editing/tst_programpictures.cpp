// The pictures a program gets: the largest its icon theme has when it is
// added and when its icon is set right again ("修正图标"), and the size of
// each picture the chooser offers.
#include "dock/editing/formiconlists.h"
#include "dock/editing/formiconsettings.h"
#include "dock/editing/iconextraction.h"
#include "dock/editing/iconfolder.h"
#include "dock/editing/programicon.h"
#include "platform/fileicons.h"
#include "testenv.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace {

void pressDefault(FormIconSettings &d)
{
    d.findChild<QPushButton *>("defaultButton")->click();
}

} // namespace

class TestProgramPictures : public QObject
{
    Q_OBJECT
    QTemporaryDir m_tmp;

private slots:
    // A Linux program gets the largest picture its theme has, or the
    // scalable one drawn at the size an icon grows to: never a small one
    // that blurs as the icon grows.
    void themedProgramGetsItsLargestPicture_data()
    {
        QTest::addColumn<QString>("directories"); // "<size>" fixed, "s<max>" scalable up to max
        QTest::addColumn<int>("width");
        QTest::newRow("fixed sizes") << "16 32 48" << 48;
        QTest::newRow("fixed, larger than an icon grows") << "48 512" << 256;
        QTest::newRow("scalable") << "s512" << 256;
        QTest::newRow("small fixed ones and a scalable one") << "24 48 s256" << 256;
    }
    void themedProgramGetsItsLargestPicture()
    {
        QFETCH(QString, directories);
        QFETCH(int, width);
        // A theme of its own per row: the loaders keep what they found by name.
        static int row = 0;
        const QString theme = QString("zvsizes%1").arg(++row);
        const QString themes = m_tmp.path() + "/" + theme;
        QStringList dirs;
        QString sections;
        // The picture that must win, the last, is green; the others red.
        const QStringList list = directories.split(' ');
        for (const QString &d : list) {
            const char *colour = d == list.last() ? "#00ff00" : "#ff0000";
            const bool scalable = d.startsWith('s');
            const int size = scalable ? 48 : d.toInt();
            const QString dir = scalable ? QString("scalable/apps") : QString("%1x%1/apps").arg(size);
            dirs << dir;
            sections += QString("[%1]\nSize=%2\n").arg(dir).arg(size);
            if (scalable) {
                sections += QString("Type=Scalable\nMinSize=8\nMaxSize=%1\n").arg(d.mid(1));
                TestEnv::writeFile(themes + "/" + theme + "/" + dir + "/zvapp.svg",
                                   QString("<svg xmlns='http://www.w3.org/2000/svg' width='48' height='48'>"
                                           "<rect width='48' height='48' fill='%1'/></svg>")
                                       .arg(colour)
                                       .toUtf8());
            } else {
                sections += "Type=Fixed\n";
                QImage img(size, size, QImage::Format_ARGB32);
                img.fill(QColor(colour));
                QDir().mkpath(themes + "/" + theme + "/" + dir);
                QVERIFY(img.save(themes + "/" + theme + "/" + dir + "/zvapp.png"));
            }
        }
        TestEnv::writeFile(themes + "/" + theme + "/index.theme",
                           ("[Icon Theme]\nName=" + theme + "\nDirectories=" + dirs.join(',') + "\n" + sections).toUtf8());
        const QStringList oldPaths = QIcon::themeSearchPaths();
        const QString oldTheme = QIcon::themeName();
        QIcon::setThemeSearchPaths({ themes });
        QIcon::setThemeName(theme);
        const QString entry = TestEnv::writeFile(m_tmp.path() + "/apps/org.zv.App.desktop",
                                                 "[Desktop Entry]\nType=Application\nName=App\nExec=true\nIcon=zvapp\n");
        FormIconSettings dialog;
        dialog.setIconData("ico1", "/p/old.png", "App", "note.png", entry, "ICON", 0);
        pressDefault(dialog);
        // The picture the program got when it was added: the same one.
        const QImage added = platform::ThemeFileIcons().largeIcon(entry, ProgramIcon::PictureSize).toImage();
        QIcon::setThemeSearchPaths(oldPaths);
        QIcon::setThemeName(oldTheme);
        QCOMPARE(added.size(), QSize(256, 256));
        QCOMPARE(added.pixelColor(128, 128), QColor(Qt::green));

        QCOMPARE(dialog.extraction().saved, 1);
        QVERIFY(!dialog.chooser()->isVisible());
        QCOMPARE(dialog.pictureField(), IconFolder::file("org.zv.App1.png"));
        const QImage picture(dialog.pictureField());
        QCOMPARE(picture.size(), QSize(width, width));
        QCOMPARE(picture.pixelColor(width / 2, width / 2), QColor(Qt::green));
    }

    // Each cell tells its picture's size: at 54 pixels they look alike.
    void chooserShowsEachPictureSize()
    {
        const QString prefix = m_tmp.path() + "/sizes/prog";
        QDir().mkpath(m_tmp.path() + "/sizes");
        const QList<QSize> sizes { { 256, 256 }, { 48, 48 }, { 32, 24 } };
        for (int i = 0; i < sizes.size(); ++i) {
            QImage img(sizes[i], QImage::Format_ARGB32);
            img.fill(Qt::blue);
            QVERIFY(img.save(QString("%1%2.png").arg(prefix).arg(i + 1)));
        }
        FormIconLists chooser;
        chooser.setCount(4);
        chooser.populate(prefix, "prog", "ICON", "", "0");
        QStringList shown;
        for (int i = 1; i <= 4; ++i)
            shown << chooser.cell(i)->sizeText();
        QCOMPARE(shown, QStringList({ "256×256", "48×48", "32×24", "" })); // the fourth is missing
        const auto *label = chooser.cell(2)->findChild<QLabel *>("size");
        QVERIFY(QRect(QPoint(0, 0), chooser.cell(2)->size()).contains(label->geometry()));
    }
};

ZV_TEST_MAIN(TestProgramPictures)
#include "tst_programpictures.moc"
